BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test clean

setup:
	./scripts/install-packages

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
		$(BUILD)/bin/Duridove; \
	else \
		xvfb-run -a -s "-screen 0 1280x800x24" $(BUILD)/bin/Duridove; \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

clean:
	rm -rf $(BUILD)
