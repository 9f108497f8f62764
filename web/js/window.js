// The page side of Vellmoor's GLUT: the window title and what each frame
// cost, for the page's figures and its tests (Module.vellmoorFrames).

var LibraryVellmoorWindow = {
  vglutSetTitle: function(title) {
    document.title = UTF8ToString(title);
  },

  vglutFrameDrawn__deps: ['$VGL'],
  vglutFrameDrawn: function(displayMilliseconds) {
    var frames = Module['vellmoorFrames'] || (Module['vellmoorFrames'] = {count: 0, drawCalls: 0,
                                                                           displayMs: 0});
    frames.count++;
    frames.drawCalls = VGL.drawCalls;
    frames.displayMs = displayMilliseconds;
    VGL.drawCalls = 0;
  },
};

mergeInto(LibraryManager.library, LibraryVellmoorWindow);
