#pragma once

#include <GL/gl.h>

// A fixed-function surface: the four colours and the specular exponent that
// glMaterial takes, laid out as 17 consecutive floats.
struct Material {
    GLfloat ambient[4];
    GLfloat diffuse[4];
    GLfloat specular[4];
    GLfloat emission[4];
    GLfloat shininess;
};

// Makes a material current for front and back faces.
void setMaterial(const Material* material);

// The same five glMaterialfv calls from separate members, on the given face.
void setMaterialParts(GLenum face, const GLfloat* ambient, const GLfloat* diffuse,
                      const GLfloat* specular, const GLfloat* emission, const GLfloat* shininess);

extern const Material woodMaterial;
extern const Material chromeMaterial;
extern const Material feltMaterial;
extern const Material blackMaterial;
extern const Material greenShadeMaterial;
extern const Material glowMaterial;
extern const Material redBallMaterial;
extern const Material yellowBallMaterial;
extern const Material orangeBallMaterial;
extern const Material blackGlossMaterial;
extern const Material whiteGlossMaterial;
extern const Material whiteMaterial;
extern const Material mirrorMaterial;
extern const Material greyMaterial;
// The lens records are rewritten by the lamp animation while the program runs.
extern Material blueLensMaterial;
extern Material redLensMaterial;
extern Material greenLensMaterial;
extern const Material greenGlassMaterial;
extern const Material clearGlassMaterial;
extern const Material smokedGlassMaterial;
extern const Material blueGlassMaterial;
