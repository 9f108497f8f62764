#pragma once

// Small scenes of what the room never draws: each light type, two-sided
// lighting, normals rescaled, texture filters and environments, blending,
// the depth mask and winding, and the per-fragment tests. Written once and
// drawn twice: by Mesa (the reference, scene_reference.cpp) and by the web
// layer in a page of its own (scene_page.cpp), whose pictures
// scenes_test.cjs compares.

// The window every scene is drawn in.
constexpr int kSceneSize = 96;

struct Scene {
    const char* name;
    // Draws the scene. `refusedLeftOut`: the calls the layer refuses are
    // left out, to draw what the layer draws in their place.
    void (*draw)(bool refusedLeftOut);
    // Whether the scene holds a call the layer refuses.
    bool refuses;
};

int sceneCount();
const Scene& scene(int index);

// Draws a scene into the current window from a clean state, leaving the
// state as it found it.
void drawScene(int index, bool refusedLeftOut);
