# Kinetor: the two commands a user needs are `make demo` and `make test`.
# Everything else is here for developers.

BUILD       ?= build
ASAN_BUILD  ?= build-asan
FUZZ_BUILD  ?= build-fuzz
JOBS        ?= 2
FUZZ_SECONDS ?= 60
CORRUPT_FILES ?= 1000
CMAKE_FLAGS ?=
PREFIX      ?= /usr/local

# Tests never need a display or a sound device.
HEADLESS = SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen KINET_STATUS=terminal

.PHONY: all deps configure build install test demo test-asan corrupt-check fuzz bench screenshots clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The programs, libraries, headers, kinet.pc, the CMake package, manual pages and desktop files
# under PREFIX; DESTDIR stages them (the files still name PREFIX).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

test: build
	cd $(BUILD) && $(HEADLESS) ctest -j $(JOBS) --output-on-failure

demo: build
	@bash scripts/demo.sh $(BUILD)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DKINET_SANITIZE=ON -DKINET_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(HEADLESS) ASAN_OPTIONS=detect_leaks=1 ctest -j $(JOBS) --output-on-failure

# CORRUPT_FILES corrupted files of every input format through the tools that read them, built
# with the sanitizers, with a count per format of crashes, hangs, wrong exit statuses and data
# lost (about an hour for 1000). Not part of `make test`, which runs a few files of each.
corrupt-check: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DKINET_SANITIZE=ON -DKINET_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target kntsample kntinfow kinetplayw kntthumb \
	  kinetpackw kinetmixw tonworkw pixworkw kinetscriptw
	python3 scripts/corrupt-check.py $(ASAN_BUILD)/bin --per-format $(CORRUPT_FILES) --jobs $(JOBS)

# Every fuzz target for FUZZ_SECONDS each, starting from its corpus.
fuzz:
	@bash scripts/install-deps.sh fuzz
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -G Ninja -DKINET_FUZZ=ON -DKINET_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	@$(HEADLESS) bash scripts/run-benchmarks.sh $(BUILD)

# Pictures of what a person sees (status window faces, the example presentation, the
# desktop's windows), in $(BUILD)/screenshots. The presentation: its title, the picture, the
# video, the menu, the pointer over Quit, Quit chosen with the Right key, and the video again
# after a click on Play again.
screenshots: build
	@mkdir -p $(BUILD)/screenshots
	$(HEADLESS) $(BUILD)/tests/platform/status_window_screenshot $(BUILD)/screenshots
	$(BUILD)/bin/kntsample $(BUILD)/screenshots/sample.knt > /dev/null
	cp scriptplayer/examples/presentation.ss $(BUILD)/screenshots/
	cd $(BUILD)/screenshots && $(HEADLESS) ../tests/scriptplayer/script_screenshots presentation.ss presentation \
	  1200 4000 9000 9200=move:215,249 9600 9800=key:RIGHT 10200 10400=move:95,249 10600=click:95,249 12000
	$(BUILD)/bin/kinetpackw $(BUILD)/screenshots/sample.knt $(BUILD)/screenshots/clip.knt /N150000 /O > /dev/null
	if [ -x $(BUILD)/tests/frontend/desk_screenshots ]; then \
	  $(HEADLESS) $(BUILD)/tests/frontend/desk_screenshots $(BUILD)/screenshots $(BUILD)/screenshots/clip.knt && \
	  $(HEADLESS) QT_SCALE_FACTOR=1.5 $(BUILD)/tests/frontend/desk_screenshots $(BUILD)/screenshots/scaled $(BUILD)/screenshots/clip.knt; fi

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
