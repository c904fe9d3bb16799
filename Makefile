# Thin wrapper over CMake. `make run` starts the logger on ./data, `make test` runs every test.
JOBS ?= $(shell nproc)
CMAKE_GEN := -G Ninja

# `make install PREFIX=DIR` installs the program into DIR (default /usr/local); `make package`
# builds the Debian package build/tarvik_<version>_<arch>.deb.
PREFIX ?= /usr/local

.PHONY: run test bench build build-test deps clean fuzz install package

deps:
	@./tools/install-deps.sh

build: deps
	@cmake -S . -B build $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF >/dev/null
	@cmake --build build -j $(JOBS)

run: build
	@mkdir -p data
	@./tools/setup-data.sh data build/tarvik-tool
	cd data && ../build/tarvik --data .

install: build
	cmake --install build --prefix "$(PREFIX)"

package: build
	cd build && cpack -G DEB

build-test: deps
	@cmake -S . -B build-test $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTARVIK_SANITIZE=ON -DTARVIK_TESTS=ON >/dev/null
	@cmake --build build-test -j $(JOBS)

test: build-test
	cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B build-bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF -DTARVIK_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench/*_bench; do echo "== $$b"; $$b; done

fuzz: deps
	@CXX=clang++ cmake -S . -B build-fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_TESTS=OFF -DTARVIK_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS)

clean:
	rm -rf build build-test build-bench build-fuzz
