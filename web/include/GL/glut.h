/*
 * GLUT as Vellmoor's WebGL 2 layer provides it: one window (the page's
 * canvas), the callbacks the program registers, the main loop (one turn per
 * animation frame) and three solids, tessellated as freeglut tessellates them.
 */
#ifndef __glut_h__
#define __glut_h__

#include <GL/gl.h>
#include <GL/glu.h>

#ifdef __cplusplus
extern "C" {
#endif

#define GLUT_RGB 0
#define GLUT_RGBA 0
#define GLUT_INDEX 1
#define GLUT_SINGLE 0
#define GLUT_DOUBLE 2
#define GLUT_ACCUM 4
#define GLUT_ALPHA 8
#define GLUT_DEPTH 16
#define GLUT_STENCIL 32

void glutInit(int* argcp, char** argv);
void glutInitDisplayMode(unsigned int mode);
void glutInitWindowSize(int width, int height);
void glutInitWindowPosition(int x, int y);
int glutCreateWindow(const char* title);

void glutDisplayFunc(void (*callback)(void));
void glutReshapeFunc(void (*callback)(int width, int height));
void glutIdleFunc(void (*callback)(void));
void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y));
void glutPassiveMotionFunc(void (*callback)(int x, int y));

void glutPostRedisplay(void);
void glutSwapBuffers(void);
void glutMainLoop(void);

void glutSolidSphere(double radius, GLint slices, GLint stacks);
void glutSolidCube(double size);
void glutSolidTorus(double innerRadius, double outerRadius, GLint sides, GLint rings);

#ifdef __cplusplus
}
#endif

#endif
