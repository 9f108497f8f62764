#pragma once

#include <GL/gl.h>

// A positional light with its spot axis and its three colours, in world coordinates.
struct LightSetup {
    GLfloat position[4];
    GLfloat spotDirection[3];
    GLfloat ambient[4];
    GLfloat diffuse[4];
    GLfloat specular[4];
};

// The pool lights are kept as five separate arrays each.
struct PoolLight {
    const GLfloat* position;
    const GLfloat* direction;
    const GLfloat* ambient;
    const GLfloat* diffuse;
    const GLfloat* specular;
};

extern const PoolLight farPoolLight;
extern const PoolLight nearPoolLight;
extern const LightSetup redSpotLight;
extern const LightSetup greenSpotLight;
extern const LightSetup blueSpotLight;
extern const LightSetup tableLight1;
extern const LightSetup tableLight2;

// An all-round light that fades with distance (the pool lamps).
void setPointLight(GLenum light, const GLfloat* position, const GLfloat* direction,
                   const GLfloat* ambient, const GLfloat* diffuse, const GLfloat* specular);

// A spot light with the given cone half-angle in degrees and no fall-off with distance.
void setSpotLight(GLenum light, const LightSetup* setup, GLfloat cutoff);

// Sends all seven lights; called after the view transform so they stay fixed in the room.
void placeLights();
