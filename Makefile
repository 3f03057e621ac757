# Wraps the set-up so that two commands do everything: `make run` and `make test`.

# Every Debian package the build, the game and the tests use.
PACKAGES := build-essential cmake ninja-build pkg-config \
	qt6-base-dev qt6-svg-dev qt6-qpa-plugins \
	libespeak-ng-dev espeak-ng-data libpcaudio-dev libpcaudio0 \
	fonts-liberation2 fonts-roboto-unhinted \
	xvfb xauth xdotool x11-utils imagemagick dbus-x11 at-spi2-core python3-pyatspi libfaketime \
	pulseaudio pulseaudio-utils strace \
	xfwm4 qt6-translations-l10n \
	desktop-file-utils appstream dpkg-dev file groff-base libxcb1-dev lintian

BUILD_DIR ?= build
# The unit and widget tests once more with AddressSanitizer and UndefinedBehaviorSanitizer (`make sanitize`).
SANITIZE_DIR ?= build-asan
PREFIX ?= /usr/local
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# Said either way: CMake caches the option, so a CI build would otherwise leave -Werror on for later plain builds.
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_WERROR=$(if $(CI),ON,OFF)

.PHONY: all deps configure build run test bench clean install package sanitize

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
	@if [ -n "$(CI)" ]; then $(MAKE) --no-print-directory sanitize; fi

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_WERROR=ON -DQUORVANE_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) --target unit_tests
	cd $(SANITIZE_DIR) && ctest --output-on-failure --timeout 300 -L unit

install: build
	$(SUDO) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Built as Debian builds it (debian/, dpkg-buildpackage), from a copy of the source: no compiled tree needed.
package: deps
	packaging/build-deb.sh $(BUILD_DIR)

bench: build
	cmake --build $(BUILD_DIR) --target benchmarks
	for b in $(BUILD_DIR)/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" || exit 1; fi; done

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
