#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "driver/carte_simulee.h"

// A fresh simulated card for each test, answering `reponses`, with its trace
// in a file of the test's own.
class CarteSimulee : public ::testing::Test {
protected:
    void SetUp() override
    {
        char modele[] = "/tmp/trace_carte_XXXXXX";
        int fd = mkstemp(modele);
        ASSERT_GE(fd, 0);
        close(fd);
        trace_ = modele;
        setenv("CARTE_SIMULEE_TRACE", trace_.c_str(), 1);
        repondre("");
    }
    void TearDown() override
    {
        unlink(trace_.c_str());
        unsetenv("CARTE_SIMULEE_TRACE");
        unsetenv("CARTE_SIMULEE");
        carte_simulee_oublier();
    }
    void repondre(const char *reponses)
    {
        setenv("CARTE_SIMULEE", reponses, 1);
        carte_simulee_oublier();
    }
    // The trace since the last call.
    std::string trace()
    {
        std::ifstream f(trace_);
        std::stringstream s;
        s << f.rdbuf();
        std::string tout = s.str();
        std::string neuf = tout.substr(lu_);
        lu_ = tout.size();
        return neuf;
    }

private:
    std::string trace_;
    std::size_t lu_ = 0;
};

inline const char *const trace_init_carte =
    "W 0x316 0x00\nW 0x314 0x00\nW 0x316 0x04\nW 0x317 0x00\nW 0x317 0x04\n"
    "W 0x30E 0x00\nW 0x30C 0x00\nW 0x30E 0x04\nW 0x30F 0x00\nW 0x30D 0xE0\n"
    "W 0x30F 0x04\nW 0x312 0x00\nW 0x310 0xFF\nW 0x312 0x04\nW 0x313 0x00\n"
    "W 0x311 0x00\nW 0x313 0x04\n";
