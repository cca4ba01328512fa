# Set-up and everyday commands; see README.md.
BUILD ?= build
WINBUILD ?= build-windows
JOBS ?= 2

.PHONY: build run test test-windows samples clean

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/kel samples/*.kel

test: build
	ctest --test-dir $(BUILD) --output-on-failure

test-windows:
	cmake -S . -B $(WINBUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake
	cmake --build $(WINBUILD) -j $(JOBS)
	ctest --test-dir $(WINBUILD) --output-on-failure

# Rewrites the bundled sample files with the generator.
samples: build
	$(BUILD)/bin/kelgen samples samples

clean:
	rm -rf $(BUILD) $(WINBUILD)
