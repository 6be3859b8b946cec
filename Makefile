# The two set-up commands of the README, and the other entry points of the project.
#   make demo   install dependencies, build Release, run the demo (writes out/demo-*.png)
#   make test   install dependencies, build with ASan + UBSan, run every test with ctest
#   make docs   regenerate the widget reference docs/widgets.md from the module (test build),
#               and the README's screenshots (docs/screenshots) and the reference's pictures
#               of each window type (docs/widgets) from the demo (Release build)
#   make bench  build Release and run the Google Benchmark programs
#   make package  build Release for /usr and make the Debian packages (build/package/*.deb)
#   make package-check  install those packages, build and run a consumer against them, remove
#   make fuzz   build the libFuzzer targets with clang and fuzz each (FUZZ_SECONDS=300 each)

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/asan

.PHONY: deps demo test docs bench soak package package-check fuzz format

deps:
	@scripts/install-deps.sh

CONFIGURE_RELEASE_BUILD = cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release \
	-DZU_BUILD_TESTS=OFF -DZU_BUILD_BENCH=ON

demo: deps
	$(CONFIGURE_RELEASE_BUILD)
	cmake --build $(RELEASE_DIR) -j$(JOBS) --target zugui-demo
	scripts/run-demo.sh $(RELEASE_DIR)/examples/zugui-demo out

CONFIGURE_TEST_BUILD = cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DZU_SANITIZE=ON \
	-DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"

test: deps
	$(CONFIGURE_TEST_BUILD)
	cmake --build $(TEST_DIR) -j$(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j$(JOBS)

# The pictures are made anew, so that none of a type that left the skin stays. `make test` checks
# that the reference is fresh and that its pictures exist, not their pixels, which differ
# between machines.
docs: deps
	$(CONFIGURE_TEST_BUILD)
	cmake --build $(TEST_DIR) -j$(JOBS) --target docs
	$(CONFIGURE_RELEASE_BUILD)
	cmake --build $(RELEASE_DIR) -j$(JOBS) --target zugui-demo
	rm -f docs/screenshots/demo-*.png docs/widgets/*.png
	scripts/run-demo.sh $(RELEASE_DIR)/examples/zugui-demo docs/screenshots \
	    --widget-pictures docs/widgets

bench: deps
	$(CONFIGURE_RELEASE_BUILD)
	cmake --build $(RELEASE_DIR) -j$(JOBS) --target zugui_bench
	$(RELEASE_DIR)/bench/zugui_bench

soak: deps
	$(CONFIGURE_RELEASE_BUILD)
	cmake --build $(RELEASE_DIR) -j$(JOBS) --target zugui_soak
	$(RELEASE_DIR)/bench/zugui_soak

package: deps
	cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	    -DZU_BUILD_TESTS=OFF -DZU_BUILD_DEMO=OFF -DZU_BUILD_BENCH=OFF
	cmake --build build/package -j$(JOBS) --target ZuGUIElements
	cd build/package && cpack

package-check: package
	scripts/check-package.sh build/package

fuzz: deps
	scripts/run-fuzz.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
