# Vellmoor: `make run` starts the walk-through, `make test` runs every test,
# `make check` the quick ones, `make package` makes the Debian package.
# Each installs what is missing (as root) and builds first.

SHELL      := /bin/bash
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
# -noreset: the server keeps running as it is when its last client leaves between tests.
XVFB       := xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"

.PHONY: run test check package icon build setup-run setup-check setup-test setup-package setup-bench test-asan \
        screenshots bench bench-memory clean

run: setup-run build
	@if [ -z "$$DISPLAY" ]; then \
	  echo "make run: no X display (DISPLAY is not set)."; \
	  echo "  Run it from a graphical session, or over ssh with X forwarding (ssh -X)."; \
	  echo "  To look at it headless: xvfb-run -a make run (nothing will be visible)."; \
	  exit 1; \
	fi
	cd assets && "../$(BUILD)/vellmoor" $(ARGS)

# Every GoogleTest case is a CTest test of its own; they run $(JOBS) at a time,
# those that use the X display one at a time (resource lock xdisplay).
CTEST := ctest --output-on-failure --no-tests=error -j$(JOBS)

test: setup-test build
	cd "$(BUILD)" && $(XVFB) $(CTEST)
	$(MAKE) test-asan

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan:
	cmake -S . -B "$(ASAN_BUILD)" -DVELLMOOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build "$(ASAN_BUILD)" -j$(JOBS)
	cd "$(ASAN_BUILD)" && $(XVFB) $(CTEST)

# The unit and OpenGL tests only, for the edit-build-test loop (under a minute);
# its set-up asks only for the native build and these tests' packages.
check: setup-check
	cmake -S . -B "$(BUILD)"
	cmake --build "$(BUILD)" -j$(JOBS) --target unit_tests web_layer_tests web_boundary_sample gl_tests differential
	cd "$(BUILD)" && $(XVFB) $(CTEST) -L '^(unit|gl)$$'

# The Debian package $(BUILD)/vellmoor_VERSION_ARCH.deb, for
# `apt install ./$(BUILD)/vellmoor_*.deb`.
package: setup-package build
	cd "$(BUILD)" && cpack -G DEB

# The desktop icon, rendered again from the scene.
icon: setup-test build
	$(XVFB) "$(BUILD)/tools/screenshot" --icon 256 assets packaging/vellmoor.png

# Pictures of the room for the README, rendered under a private X server.
screenshots: setup-test build
	mkdir -p docs/screenshots
	$(XVFB) "$(BUILD)/tools/screenshot" assets docs/screenshots

# Frame rate and start-up of the real scene with and without the allocator
# setting, and a chart (see docs/performance.md); a few minutes. bench-memory is
# the long memory run (20,000 frames in each setting, about 20 minutes). Both
# write their figures and the chart to BENCH_OUT, and run under a private X
# server unless a display is at hand.
BENCH_OUT ?= $(BUILD)/bench-results
BENCH     := "$(BUILD)/bench/vellmoor_bench" --out "$(BENCH_OUT)"
with_display = if [ -z "$$DISPLAY" ]; then $(XVFB) $(1); else $(1); fi

# $(1): the benchmark's options; $(2): the file in BENCH_OUT its report goes to.
define run_bench
	mkdir -p "$(BENCH_OUT)"
	set -o pipefail; $(call with_display,$(BENCH) $(1) assets) | tee "$(BENCH_OUT)/$(2)"
	gnuplot -e "dir='$(BENCH_OUT)'" bench/chart.gp
	@echo "Figures and chart: $(BENCH_OUT)/$(2), $(BENCH_OUT)/performance.png"
endef

bench: setup-bench build
	$(call run_bench,,bench.txt)

bench-memory: setup-bench build
	$(call run_bench,--memory,bench-memory.txt)

build:
	cmake -S . -B "$(BUILD)"
	cmake --build "$(BUILD)" -j$(JOBS)

setup-run:
	@scripts/setup.sh run

setup-check:
	@scripts/setup.sh check

setup-test:
	@scripts/setup.sh test

setup-package:
	@scripts/setup.sh package

setup-bench:
	@scripts/setup.sh bench

clean:
	rm -rf "$(BUILD)" "$(ASAN_BUILD)"

# Rewrites the visual regression test's reference pictures from the current
# build, after saying how far each viewpoint moved from its old reference.
.PHONY: update-references
update-references: setup-test build
	rm -rf "$(BUILD)/visual-new"
	mkdir -p "$(BUILD)/visual-new" tests/visual/reference
	$(XVFB) "$(BUILD)/tools/screenshot" assets "$(BUILD)/visual-new" > /dev/null
	"$(BUILD)/tests/compare_pictures" tests/visual/reference "$(BUILD)/visual-new"
	rm -f tests/visual/reference/*.png
	cp "$(BUILD)"/visual-new/*.png tests/visual/reference/

# --- Windows -----------------------------------------------------------------
# vellmoor.exe cross-built with mingw-w64 (toolchain in cmake/), statically
# linked against freeglut built from Debian's source package, and packed with
# its images into build-windows/vellmoor-VERSION-win64.zip. windows-test-programs
# builds the cross-built unit tests as well, which `make test` runs under wine
# with the zip's program (the tests in $(BUILD) look for this folder by name).
WINDOWS_BUILD := build-windows
WINDOWS_DEPS  := $(WINDOWS_BUILD)/third-party

.PHONY: windows windows-test-programs setup-windows clean-windows

windows: setup-windows
	scripts/windows-deps.sh "$(WINDOWS_DEPS)" "$(WINDOWS_DEPS)/prefix"
	cmake -S . -B "$(WINDOWS_BUILD)" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DCMAKE_FIND_ROOT_PATH="$(CURDIR)/$(WINDOWS_DEPS)/prefix"
	cmake --build "$(WINDOWS_BUILD)" -j$(JOBS) --target windows_zip

windows-test-programs: windows
	cmake --build "$(WINDOWS_BUILD)" -j$(JOBS) --target unit_tests

setup-windows:
	@scripts/setup.sh windows

clean-windows:
	rm -rf "$(WINDOWS_BUILD)"

test: windows-test-programs
clean: clean-windows

# --- Web -----------------------------------------------------------------------
# The program compiled to WebAssembly by Debian's emscripten, drawing through
# the project's own OpenGL 1.1 layer on WebGL 2 (web/): a static site in
# build-web/site and the zip build-web/vellmoor-VERSION-web.zip. GLU's sources
# come from Debian's libglu source package, fetched once. `make test` also
# tests the page in Chromium, Firefox ESR and WebKitGTK (the tests in $(BUILD)
# look for this folder by name).
WEB_BUILD := build-web
WEB_PORT  ?= 8000

.PHONY: web serve-web web-test-modules bench-web mutate-web setup-web setup-web-test clean-web

web: setup-web
	scripts/web-deps.sh "$(CURDIR)/$(WEB_BUILD)/third-party"
	cmake -S "$(CURDIR)" -B "$(CURDIR)/$(WEB_BUILD)" -DCMAKE_TOOLCHAIN_FILE="$(CURDIR)/web/toolchain.cmake" \
	  -DCMAKE_BUILD_TYPE=Release -DVELLMOOR_TESTS=OFF
	cmake --build "$(CURDIR)/$(WEB_BUILD)" -j$(JOBS)
	@echo "The site: $(WEB_BUILD)/site/ and $(WEB_BUILD)/vellmoor-$$(sed -n 's/^project(vellmoor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-web.zip"

# Serves the site on this machine only; Ctrl-C stops it.
serve-web: web
	@echo "Vellmoor in the browser: http://127.0.0.1:$(WEB_PORT)/  (Ctrl-C stops the server)"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory "$(CURDIR)/$(WEB_BUILD)/site"

# The page's tests drive Chromium with playwright-core, Firefox ESR with
# puppeteer-core and WebKitGTK with selenium-webdriver, at the versions
# tests/web/package-lock.json locks: this installs them into the web build
# folder (no browser is downloaded: the set-up installs Debian's).
web-test-modules: setup-web-test
	mkdir -p "$(CURDIR)/$(WEB_BUILD)/node"
	cp tests/web/package.json tests/web/package-lock.json "$(CURDIR)/$(WEB_BUILD)/node/"
	cd "$(CURDIR)/$(WEB_BUILD)/node" && npm ci --no-audit --no-fund --loglevel=error

# The page's and its service worker's decisions (site/page/decisions.js)
# mutated by Stryker, each mutant run against their Node tests
# (tests/web/unit): prints the score, fails under 85 %, and fails for a
# surviving mutant not listed with its reason in tests/web/unit/survivors.tsv.
# A few minutes; not part of make test.
mutate-web: web-test-modules
	"$(CURDIR)/$(WEB_BUILD)/node/node_modules/.bin/stryker" run tests/web/stryker.config.cjs
	node tests/web/unit/survivors.cjs "$(CURDIR)/$(WEB_BUILD)/stryker/mutation.json" tests/web/unit/survivors.tsv

# Every view's frame time in headless Chromium (SwiftShader) and headless
# Firefox ESR (llvmpipe) beside the desktop program's, in one run, with the
# page's CPU time and draw calls (docs/performance.md).
bench-web: setup-web-test build web web-test-modules
	mkdir -p "$(BENCH_OUT)"
	$(call with_display,env NODE_PATH="$(CURDIR)/$(WEB_BUILD)/node/node_modules" \
	  VELLMOOR_WEB_SITE="$(CURDIR)/$(WEB_BUILD)/site" \
	  node site/bench.cjs "$(BUILD)/bench/vellmoor_bench" assets "$(BENCH_OUT)/bench-web.txt")

setup-web:
	@scripts/setup.sh web

setup-web-test:
	@scripts/setup.sh web-test

clean-web:
	rm -rf "$(WEB_BUILD)"

test: web web-test-modules
clean: clean-web
