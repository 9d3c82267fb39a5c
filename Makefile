# Two commands for a newcomer: `make run` and `make test`. `make bench` runs the benchmarks,
# `make package` builds the Debian package in the build folder.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test bench package screenshots clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/mechsim

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/mechsim_bench

package: build
	cd $(BUILD_DIR) && cpack -G DEB

screenshots: build
	@bash scripts/install-deps.sh --screenshots
	bash scripts/screenshots.sh $(BUILD_DIR)/mechsim docs

clean:
	rm -rf $(BUILD_DIR)
