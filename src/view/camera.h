#pragma once

// The viewer: eye position on the floor plan, eye height, and the look angles
// in radians. yaw 0 faces +z, yaw pi faces -z; positive pitch looks up.
struct Camera {
    float eyeX = 5.0f;
    float eyeZ = -5.0f;
    float yaw = 3.14159f;
    float eyeHeight = 5.0f;
    float pitch = 0.0f;
};

extern Camera camera;

// gluLookAt's eye and centre for a camera: the centre lies one unit from the
// eye along the look direction (sin yaw cos pitch, sin pitch, cos yaw cos pitch).
struct LookAt {
    double eye[3];
    double centre[3];
};
LookAt lookAtFrom(const Camera& cam);

// What a key asks of the program once the camera has been updated.
enum class KeyAction { Redraw, Quit };

// Applies one key press to the camera. Every key but Esc asks for a redraw.
KeyAction applyKey(Camera& cam, unsigned char key);

// Mouse-look on one axis. Returns true when the pointer was in an outer zone
// and the view turned (and so needs a redraw).
bool lookHorizontally(Camera& cam, int x, int windowWidth);
bool lookVertically(Camera& cam, int y, int windowHeight);

// GLUT callbacks: thin shells over the functions above.
void keyboard(unsigned char key, int x, int y);
void passiveMotion(int x, int y);
