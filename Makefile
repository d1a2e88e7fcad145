# make run: install what is missing, build, open the notebook window.
# make test: install what is missing, build, run every test offscreen.
BUILD ?= build
JOBS ?= 2

.PHONY: run test build deps bench clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "make run: no display here. Run it under a virtual display:"; \
	    echo "    xvfb-run -a -s '-screen 0 1280x900x24' make run"; \
	    exit 1; \
	fi
	@$(BUILD)/ikuji-techo $(ARGS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	@for b in $(BUILD)/bench/*_bench; do $$b; done

clean:
	@rm -rf $(BUILD)
