# Set-up and everyday commands; see README.md.
BUILD ?= build
WINBUILD ?= build-windows
JOBS ?= 2

ASANBUILD ?= build-asan
FUZZBUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

.PHONY: build run test test-windows test-asan fuzz bench samples clean

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

# The native suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan:
	cmake -S . -B $(ASANBUILD) -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=$(SANITIZE)" \
		"-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE)"
	cmake --build $(ASANBUILD) -j $(JOBS)
	ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --test-dir $(ASANBUILD) --output-on-failure

# Each libFuzzer harness for FUZZ_SECONDS seconds (clang, with ASan and UBSan).
fuzz:
	cmake -S . -B $(FUZZBUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DKEL_BUILD_TESTS=OFF -DKEL_BUILD_FUZZERS=ON
	cmake --build $(FUZZBUILD) -j $(JOBS) --target fuzz_dump fuzz_readers
	bash fuzz/run.sh $(FUZZBUILD) $(FUZZ_SECONDS)

# Speed and memory against the floor of the line-end rule and the system's tools.
bench: build
	bash bench/run.sh $(BUILD)

# Rewrites the bundled sample files with the generator.
samples: build
	$(BUILD)/bin/kelgen samples samples

clean:
	rm -rf $(BUILD) $(WINBUILD) $(ASANBUILD) $(FUZZBUILD)
