# Two commands for a newcomer: `make run` and `make test`. `make bench` runs the benchmarks,
# `make package` builds the Debian package in the build folder.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test bench package screenshots web clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/mechsim

# The page's tests drive Debian's chromium with playwright-core, installed from the lock file.
test: build web
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/mechsim_bench

package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The browser page: build-web/site/ is a folder of static files to publish as it is.
WEB_DIR ?= build-web
web: deps
	@bash scripts/build-web.sh $(WEB_DIR)

screenshots: build
	@bash scripts/install-deps.sh --screenshots
	bash scripts/screenshots.sh $(BUILD_DIR)/mechsim docs

clean:
	rm -rf $(BUILD_DIR)
