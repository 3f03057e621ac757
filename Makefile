# Wraps the set-up so that two commands do everything: `make run` and `make test`.

# Every Debian package the build, the game and the tests use.
PACKAGES := build-essential cmake ninja-build pkg-config \
	qt6-base-dev qt6-svg-dev qt6-qpa-plugins \
	libespeak-ng-dev espeak-ng-data libpcaudio-dev libpcaudio0 \
	fonts-liberation2 fonts-roboto-unhinted \
	xvfb xauth xdotool imagemagick dbus-x11 at-spi2-core python3-pyatspi \
	desktop-file-utils appstream dpkg-dev file

BUILD_DIR ?= build
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(CI),-DQUORVANE_WERROR=ON)

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -q && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR)

run: build
	./$(BUILD_DIR)/src/quorvane

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300

bench: build
	cmake --build $(BUILD_DIR) --target benchmarks
	for b in $(BUILD_DIR)/bench/bench_*; do $$b; done

clean:
	rm -rf $(BUILD_DIR)
