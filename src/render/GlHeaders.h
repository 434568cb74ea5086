#pragma once

// The one place the core includes GL and GLU.
// Buffer objects (GL 1.5) are declared with the extension header; the
// library exports them, and they are used only when the context is 1.5 or
// later.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
