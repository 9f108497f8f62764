// The page side of Vellmoor's GLUT: the window title and what each frame
// cost, for the page's figures and its tests (Module.vellmoorFrames).

var LibraryVellmoorWindow = {
  vglutSetTitle: function(title) {
    document.title = UTF8ToString(title);
  },

  vglutFrameDrawn__deps: ['$VGL'],
  vglutFrameDrawn: function(displayMilliseconds) {
    var frames = Module['vellmoorFrames'] || (Module['vellmoorFrames'] = {});
    frames.count = (frames.count || 0) + 1;
    frames.drawCalls = VGL.drawCalls;
    frames.triangles = VGL.triangles;
    frames.displayMs = displayMilliseconds;
    frames.programs = VGL.programs.size;
    frames.compileMs = VGL.compileMs;
    VGL.drawCalls = 0;
    VGL.triangles = 0;
  },
};

mergeInto(LibraryManager.library, LibraryVellmoorWindow);
