#include "light/lights.h"

#include "light/spot_lamps.h"

namespace {
const GLfloat kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat kDown[3] = {0.0f, -1.0f, 0.0f};

// Over the centres of the two pool tables, 8 above the floor.
const GLfloat farPoolPosition[4] = {12.5f, 8.0f, -46.0f, 1.0f};
const GLfloat nearPoolPosition[4] = {12.5f, 8.0f, -31.0f, 1.0f};

const GLfloat kColouredSpotCutoff = 15.0f;
const GLfloat kTableSpotCutoff = 25.0f;
}  // namespace

const PoolLight farPoolLight = {farPoolPosition, kDown, kWhite, kWhite, kWhite};
const PoolLight nearPoolLight = {nearPoolPosition, kDown, kWhite, kWhite, kWhite};

// The coloured spots hang at three corners of the chequered square; all three
// axes pass through (33, 2.5, -8), under the mirror ball.
const LightSetup redSpotLight = {{40.0f, 9.5f, -15.0f, 1.0f},
                                 {-0.5f, -0.5f, 0.5f},
                                 {1.0f, 0.0f, 0.0f, 1.0f},
                                 {1.0f, 0.0f, 0.0f, 1.0f},
                                 {1.0f, 0.0f, 0.0f, 1.0f}};
const LightSetup greenSpotLight = {{26.0f, 9.5f, -1.0f, 1.0f},
                                   {0.5f, -0.5f, -0.5f},
                                   {0.0f, 1.0f, 0.0f, 1.0f},
                                   {0.0f, 1.0f, 0.0f, 1.0f},
                                   {0.0f, 1.0f, 0.0f, 1.0f}};
const LightSetup blueSpotLight = {{40.0f, 9.5f, -1.0f, 1.0f},
                                  {-0.5f, -0.5f, -0.5f},
                                  {0.0f, 0.0f, 1.0f, 1.0f},
                                  {0.0f, 0.0f, 1.0f, 1.0f},
                                  {0.0f, 0.0f, 1.0f, 1.0f}};
// Straight down over the two round tables.
const LightSetup tableLight1 = {{7.0f, 8.0f, -7.0f, 1.0f},
                                {0.0f, -1.0f, 0.0f},
                                {1.0f, 1.0f, 1.0f, 1.0f},
                                {1.0f, 1.0f, 1.0f, 1.0f},
                                {1.0f, 1.0f, 1.0f, 1.0f}};
const LightSetup tableLight2 = {{15.0f, 8.0f, -15.0f, 1.0f},
                                {0.0f, -1.0f, 0.0f},
                                {1.0f, 1.0f, 1.0f, 1.0f},
                                {1.0f, 1.0f, 1.0f, 1.0f},
                                {1.0f, 1.0f, 1.0f, 1.0f}};

void setPointLight(GLenum light, const GLfloat* position, const GLfloat* direction,
                   const GLfloat* ambient, const GLfloat* diffuse, const GLfloat* specular) {
    glLightfv(light, GL_POSITION, position);
    glLightfv(light, GL_SPOT_DIRECTION, direction);
    // A cutoff of 180 makes the light shine all round; direction and exponent then do nothing.
    glLightf(light, GL_SPOT_CUTOFF, 180.0f);
    glLightfv(light, GL_AMBIENT, ambient);
    glLightfv(light, GL_DIFFUSE, diffuse);
    glLightfv(light, GL_SPECULAR, specular);
    glLightf(light, GL_SPOT_EXPONENT, 5.0f);
    // Half strength at distance 10; the constant term keeps its default of 1.
    glLightf(light, GL_LINEAR_ATTENUATION, 0.05f);
    glLightf(light, GL_QUADRATIC_ATTENUATION, 0.005f);
}

void setSpotLight(GLenum light, const LightSetup* setup, GLfloat cutoff) {
    glLightfv(light, GL_POSITION, setup->position);
    glLightfv(light, GL_SPOT_DIRECTION, setup->spotDirection);
    glLightf(light, GL_SPOT_CUTOFF, cutoff);
    glLightfv(light, GL_AMBIENT, setup->ambient);
    glLightfv(light, GL_DIFFUSE, setup->diffuse);
    glLightfv(light, GL_SPECULAR, setup->specular);
    glLightf(light, GL_SPOT_EXPONENT, 5.0f);
}

static void sendPoolLight(GLenum light, const PoolLight& pool) {
    setPointLight(light, pool.position, pool.direction, pool.ambient, pool.diffuse, pool.specular);
}

void placeLights() {
    sendPoolLight(GL_LIGHT0, farPoolLight);
    sendPoolLight(GL_LIGHT1, nearPoolLight);
    for (const SpotLamp& lamp : spotLamps) {
        setSpotLight(lamp.light, lamp.setup, kColouredSpotCutoff);
    }
    setSpotLight(GL_LIGHT5, &tableLight1, kTableSpotCutoff);
    setSpotLight(GL_LIGHT6, &tableLight2, kTableSpotCutoff);
}
