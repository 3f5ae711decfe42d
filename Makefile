BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test sanitize clean

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

# The suite under AddressSanitizer with UndefinedBehaviorSanitizer, then under ThreadSanitizer,
# each in a build folder of its own (build-address, build-thread).
sanitize: setup
	JOBS=$(JOBS) ./scripts/sanitize all

clean:
	rm -rf $(BUILD)
