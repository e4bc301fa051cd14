// The exit code a test parent sees after ReportError's _exit(-1): the Linux shell keeps the low
// byte (255), while a Windows parent reads the whole 32-bit code, which GoogleTest holds as -1.
#pragma once

#if defined(_WIN32)
inline const int kFatalExitCode = -1;
#else
inline const int kFatalExitCode = 255;
#endif
