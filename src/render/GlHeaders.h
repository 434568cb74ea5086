#pragma once

// The one place the core includes GL and GLU.
#include <GL/gl.h>
#include <GL/glu.h>
