# Entry points for a fresh machine: `make demo` and `make test` set up everything they need.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
# WERROR=ON makes every compiler warning an error, as CI builds do.
WERROR ?= OFF

.PHONY: bootstrap build demo test package asan fuzz bench format format-check clean

bootstrap:
	@bash scripts/bootstrap

$(BUILD)/build.ninja: | bootstrap
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: bootstrap $(BUILD)/build.ninja
	cmake -S . -B $(BUILD) -DQUENPORT_WERROR=$(WERROR) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@bash scripts/demo $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# A Debian package in $(BUILD)/: quenport_<version>_<arch>.deb
package: build
	cd $(BUILD) && cpack -G DEB

asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUENPORT_SANITIZE=ON -DQUENPORT_BENCHMARKS=OFF \
	  -DQUENPORT_WERROR=$(WERROR)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz: bootstrap
	@WERROR=$(WERROR) bash scripts/fuzz $(FUZZ_SECONDS)

bench: bootstrap
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUENPORT_TESTS=OFF -DQUENPORT_WERROR=$(WERROR)
	cmake --build build-bench -j $(JOBS)
	@bash scripts/bench build-bench

# The C++ sources the layout in .clang-format covers (the fuzz corpora are data).
FORMATTED = git ls-files -z '*.cpp' '*.h' ':!:fuzz/corpus/*'

format: bootstrap
	$(FORMATTED) | xargs -0 clang-format -i

format-check: bootstrap
	$(FORMATTED) | xargs -0 clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench build-fuzz
