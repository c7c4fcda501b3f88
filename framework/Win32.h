#pragma once
// One place that decides how <windows.h> is seen by every file of the program:
// the ANSI interface throughout, no min/max macros, strict handle types.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif
#undef UNICODE
#undef _UNICODE
#include <windows.h>
