# The two commands: `make play` and `make test`. Both install what is missing (once), then
# build. Other targets are steps of those two.
SHELL := /bin/bash
BUILD := build
JOBS ?= $(shell nproc)
CMAKE_GEN := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: play test setup native win64 win32 dist zip clean soak

play: dist
	VEXLA_DISPLAY=current VEXLA_TIMEOUT=0 scripts/wine-run.sh $(BUILD)/dist/Vexla.exe

test: dist win32
	@printf 'subdirs("native" "win64")\n' > $(BUILD)/CTestTestfile.cmake
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

setup:
	@scripts/setup.sh

# Native first: it generates the pack, pictures and sounds the Windows build embeds and ships.
native: setup
	@cmake -S . -B $(BUILD)/native $(CMAKE_GEN) > /dev/null
	cmake --build $(BUILD)/native -j $(JOBS)

win64: native
	@cmake -S . -B $(BUILD)/win64 $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake > /dev/null
	cmake --build $(BUILD)/win64 -j $(JOBS)

# The 32-bit game is compiled and linked as a check; it cannot run on these machines.
win32: native
	@cmake -S . -B $(BUILD)/win32 $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DVEXLA_GAME_ONLY=ON > /dev/null
	cmake --build $(BUILD)/win32 -j $(JOBS) --target Vexla

dist: win64
	@rm -f $(BUILD)/Vexla-win64.zip
	cd $(BUILD)/dist && zip -qr ../Vexla-win64.zip . -x 'Records.qvr' '*.vpf'
	@echo "game folder: $(BUILD)/dist, archive: $(BUILD)/Vexla-win64.zip"

# The long soak: 100,000 random steps on the largest grid (VEXLA_SOAK_STEPS to change).
soak: native
	cmake --build $(BUILD)/native --target soak_long
	$(BUILD)/native/tests/soak/soak_long

clean:
	rm -rf $(BUILD)
