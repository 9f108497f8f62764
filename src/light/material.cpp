#include "light/material.h"

// Opaque black, the colour of every unused ambient, specular or emission slot.
#define BLACK \
    { 0.0f, 0.0f, 0.0f, 1.0f }
// No emission at all, alpha included, as the glass materials have.
#define NONE \
    { 0.0f, 0.0f, 0.0f, 0.0f }

// clang-format off
//                                      ambient                     diffuse                     specular                    emission                  shininess
// Wood: floor, ceiling, lower wall band, shelves, furniture bodies.
const Material woodMaterial          = {BLACK,                      {0.8f, 0.55f, 0.0f, 1.0f},  {0.1f, 0.1f, 0.1f, 1.0f},   BLACK,                    120.0f};
const Material chromeMaterial        = {{0.03f, 0.03f, 0.03f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f},  {1.0f, 1.0f, 1.0f, 1.0f},   BLACK,                    50.0f};
const Material feltMaterial          = {BLACK,                      {0.0f, 0.5f, 0.05f, 1.0f},  BLACK,                      BLACK,                    100.0f};
// Dead matt black: it differs from blackGlossMaterial only in its specular colour.
const Material blackMaterial         = {BLACK,                      BLACK,                      BLACK,                      BLACK,                    100.0f};
// Translucent (diffuse alpha 0.5) and glowing green lamp shades.
const Material greenShadeMaterial    = {{0.0f, 0.3f, 0.0f, 1.0f},   {0.0f, 1.0f, 0.0f, 0.5f},   BLACK,                      {0.0f, 0.5f, 0.0f, 1.0f}, 100.0f};
const Material glowMaterial          = {BLACK,                      BLACK,                      BLACK,                      {1.0f, 1.0f, 1.0f, 1.0f}, 100.0f};
const Material redBallMaterial       = {BLACK,                      {1.0f, 0.0f, 0.0f, 1.0f},   {1.0f, 1.0f, 1.0f, 1.0f},   BLACK,                    100.0f};
const Material yellowBallMaterial    = {BLACK,                      {1.0f, 1.0f, 0.0f, 1.0f},   {1.0f, 1.0f, 1.0f, 1.0f},   BLACK,                    100.0f};
const Material orangeBallMaterial    = {BLACK,                      {1.0f, 0.5f, 0.0f, 1.0f},   {1.0f, 1.0f, 1.0f, 1.0f},   BLACK,                    100.0f};
const Material blackGlossMaterial    = {BLACK,                      BLACK,                      {1.0f, 1.0f, 1.0f, 1.0f},   BLACK,                    100.0f};
const Material whiteGlossMaterial    = {BLACK,                      {1.0f, 1.0f, 1.0f, 1.0f},   {1.0f, 1.0f, 1.0f, 1.0f},   BLACK,                    100.0f};
const Material whiteMaterial         = {BLACK,                      {1.0f, 1.0f, 1.0f, 1.0f},   {0.1f, 0.1f, 0.1f, 1.0f},   BLACK,                    100.0f};
// Low shininess gives the mirror ball broad highlights.
const Material mirrorMaterial        = {BLACK,                      BLACK,                      {1.0f, 1.0f, 1.0f, 1.0f},   BLACK,                    10.0f};
const Material greyMaterial          = {BLACK,                      {0.5f, 0.5f, 0.5f, 1.0f},   {0.5f, 0.5f, 0.5f, 1.0f},   BLACK,                    100.0f};
// Lenses glow by emission alone, so their colour does not depend on the lights.
Material blueLensMaterial            = {BLACK,                      BLACK,                      BLACK,                      {0.0f, 0.0f, 1.0f, 1.0f}, 100.0f};
Material redLensMaterial             = {BLACK,                      BLACK,                      BLACK,                      {1.0f, 0.0f, 0.0f, 1.0f}, 100.0f};
Material greenLensMaterial           = {BLACK,                      BLACK,                      BLACK,                      {0.0f, 1.0f, 0.0f, 1.0f}, 100.0f};
// Glass: translucent through the diffuse alpha.
const Material greenGlassMaterial    = {{0.1f, 0.8f, 0.1f, 0.2f},   {0.1f, 0.8f, 0.1f, 0.2f},   {1.0f, 1.0f, 1.0f, 0.2f},   NONE,                     30.0f};
const Material clearGlassMaterial    = {{0.9f, 0.9f, 0.9f, 0.3f},   {0.9f, 0.9f, 0.9f, 0.3f},   {1.0f, 1.0f, 1.0f, 0.3f},   NONE,                     30.0f};
const Material smokedGlassMaterial   = {{0.2f, 0.2f, 0.2f, 0.3f},   {0.6f, 0.6f, 0.6f, 0.3f},   {1.0f, 1.0f, 1.0f, 0.3f},   NONE,                     30.0f};
const Material blueGlassMaterial     = {{0.2f, 0.2f, 0.6f, 0.3f},   {0.6f, 0.6f, 0.8f, 0.3f},   {1.0f, 1.0f, 1.0f, 0.3f},   NONE,                     30.0f};
// clang-format on

#undef BLACK
#undef NONE

void setMaterial(const Material* material) {
    setMaterialParts(GL_FRONT_AND_BACK, material->ambient, material->diffuse, material->specular,
                     material->emission, &material->shininess);
}

void setMaterialParts(GLenum face, const GLfloat* ambient, const GLfloat* diffuse,
                      const GLfloat* specular, const GLfloat* emission, const GLfloat* shininess) {
    glMaterialfv(face, GL_AMBIENT, ambient);
    glMaterialfv(face, GL_DIFFUSE, diffuse);
    glMaterialfv(face, GL_SPECULAR, specular);
    glMaterialfv(face, GL_EMISSION, emission);
    glMaterialfv(face, GL_SHININESS, shininess);
}
