#pragma once

// GL for the routines that draw objects: the calls that a capture can take
// down go through render/GeometryCapture (plain GL outside a capture).
#include "render/GeometryCapture.h"
#include "render/GlHeaders.h"

#define glBegin gldraw::Begin
#define glEnd gldraw::End
#define glVertex3f gldraw::Vertex3f
#define glNormal3f gldraw::Normal3f
#define glTexCoord2f gldraw::TexCoord2f
#define glColor3f gldraw::Color3f
#define glMaterialfv gldraw::Materialfv
#define glMaterialf gldraw::Materialf
#define glPushMatrix gldraw::PushMatrix
#define glPopMatrix gldraw::PopMatrix
#define glTranslatef gldraw::Translatef
#define glTranslated gldraw::Translated
#define glRotatef gldraw::Rotatef
#define glRotated gldraw::Rotated
#define glScaled gldraw::Scaled
#define glEnable gldraw::Enable
#define glDisable gldraw::Disable
#define glIsEnabled gldraw::IsEnabled
#define glGetFloatv gldraw::GetFloatv
#define glGetIntegerv gldraw::GetIntegerv
#define glLineWidth gldraw::LineWidth
#define glBindTexture gldraw::BindTexture
