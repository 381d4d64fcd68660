// The one place that includes the platform's OpenGL 1.1 and GLU headers.
// Every core file that makes GL calls includes this header and no other GL header.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include <GL/gl.h>
#include <GL/glu.h>
