#include "driver/carte.h"

#include "driver/ports.h"

std::uint32_t table_ports[24];

namespace {

constexpr std::uint32_t ports_des_groupes[24] = {
    0x316, 0x314, 0x314,  // 0: connector A code, digital inputs 8 to 15
    0x317, 0x315, 0x315,  // 1: connector B code
    0x312, 0x310, 0x310,  // 2: analog output
    0x313, 0x311, 0x311,  // 3: digital output lines
    0x30E, 0x30C, 0x30C,  // 4: converter, low 8 bits
    0x30A, 0x308, 0x308,  // 5: unused
    0x30F, 0x30D, 0x30D,  // 6: converter, high 2 bits
    0x30B, 0x309, 0x309,  // 7: converter channel select
};

void port(std::uint32_t entree, std::uint8_t valeur)
{
    ecrire_port(static_cast<std::uint16_t>(entree), valeur);
}

}  // namespace

void init_carte()
{
    for (int i = 0; i < 24; ++i) table_ports[i] = ports_des_groupes[i];

    // Each group: control 0x00, direction mask, control 0x04. Group 1 gets no
    // mask; groups 2 and 3 are addressed by constants.
    port(table_ports[0], 0x00);
    port(table_ports[1], 0x00);
    port(table_ports[0], 0x04);
    port(table_ports[3], 0x00);
    port(table_ports[3], 0x04);
    port(table_ports[12], 0x00);
    port(table_ports[13], 0x00);
    port(table_ports[12], 0x04);
    port(table_ports[18], 0x00);
    port(table_ports[19], 0xE0);
    port(table_ports[18], 0x04);
    port(0x312, 0x00);
    port(0x310, 0xFF);
    port(0x312, 0x04);
    port(0x313, 0x00);
    port(0x311, 0x00);
    port(0x313, 0x04);
}
