#include "scene/display_lists.h"

#include "models/chair.h"
#include "models/counter.h"
#include "models/door_and_dartboard.h"
#include "models/glassware.h"
#include "models/pool_table.h"
#include "models/table_and_stool.h"
#include "scene/scene_pieces.h"

GLuint listPoolTable = 0;
GLuint listPoolLamp = 0;
GLuint listTableBulbs = 0;
GLuint listRoundTable = 0;
GLuint listStool = 0;
GLuint listPoolBalls = 0;
GLuint listMirrorBall = 0;
GLuint listCounter = 0;
GLuint listBackShelves = 0;
GLuint listDoor = 0;
GLuint listDartboard = 0;
GLuint listChair = 0;
GLuint listBottle = 0;
GLuint listLabelBottle = 0;
GLuint listGlass = 0;
GLuint listDecanter = 0;
GLuint listPoolShade = 0;
GLuint listTableShades = 0;
GLuint listBottleGroups = 0;

namespace {
// Glassware is scaled 0.15 across and 0.24 (decanter 0.21) in height.
const float kGlassAcross = 0.15f;
const float kGlassHeight = 0.24f;
const float kDecanterHeight = 0.21f;

// Generates a handle and records whatever draw issues into its list.
template <typename Draw>
void compile(GLuint& handle, Draw&& draw) {
    handle = glGenLists(1);
    glNewList(handle, GL_COMPILE);
    draw();
    glEndList();
}
}  // namespace

void compileSceneLists() {
    compile(listPoolTable, drawPoolTable);
    compile(listPoolLamp, drawPoolLamp);
    compile(listTableBulbs, drawTableBulbs);
    compile(listRoundTable, [] { drawRoundTable(1.25f, 1.25f, 1.25f); });
    compile(listStool, [] { drawStool(0.75f, 0.75f, 0.75f); });
    compile(listPoolBalls, drawPoolBalls);
    compile(listMirrorBall, drawMirrorBall);
    compile(listCounter, drawCounter);
    compile(listBackShelves, drawBackShelves);
    compile(listDoor, drawDoor);
    compile(listDartboard, [] { drawDartboard(1.0f, 1.0f, 1.0f); });
    compile(listChair, [] { drawChair(1.0f, 1.0f, 1.0f); });

    // Translucent lists: record them with the blend state they are drawn with.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    compile(listBottle, [] { drawBottle(kGlassAcross, kGlassAcross, kGlassHeight); });
    compile(listLabelBottle, [] { drawLabelBottle(kGlassAcross, kGlassAcross, kGlassHeight); });
    compile(listGlass, [] { drawGlass(kGlassAcross, kGlassAcross, kGlassHeight); });
    compile(listDecanter, [] { drawDecanter(kGlassAcross, kGlassAcross, kDecanterHeight); });
    compile(listPoolShade, drawPoolShade);
    compile(listTableShades, drawTableShades);
    compile(listBottleGroups, drawBottleGroups);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
