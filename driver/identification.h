#pragma once

// The driver's identification texts, the same in both programs.
const char *titre();
const char *detail();
