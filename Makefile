# Wraps the set-up so that two commands do everything: `make run` and `make test`.

# All that building and playing needs, and all that `make run` installs: no sound server (libpcaudio plays through
# whichever one the desktop runs), no window manager, no test tool.
RUN_PACKAGES := build-essential cmake ninja-build pkg-config \
	qt6-base-dev qt6-svg-dev qt6-charts-dev qt6-qpa-plugins qt6-translations-l10n \
	libespeak-ng-dev espeak-ng-data libpcaudio-dev libpcaudio0 \
	fonts-liberation2 fonts-roboto-unhinted
# What `make test` adds: a display, a window manager, keys and screenshots, the accessibility bus, a faster clock,
# the sound tests' recorder, the benchmarks' X library, and the package build with its checks.
TEST_PACKAGES := xvfb xauth xdotool x11-utils xfwm4 imagemagick dbus-x11 at-spi2-core python3-pyatspi libfaketime \
	strace pulseaudio-utils libxcb1-dev \
	desktop-file-utils appstream dpkg-dev debhelper file groff-base lintian
# The sound tests start a private instance of the server the machine has, and never install the other: two servers
# fight over one socket. Only a machine with neither (a headless one, with no desktop to disturb) gets both.
SOUND_SERVERS := pipewire wireplumber pipewire-pulse pulseaudio
# What `make run` builds: the game and its record helper.
GAME_TARGETS := quorvane quorvane-record

BUILD_DIR ?= build
# The unit and widget tests once more with AddressSanitizer and UndefinedBehaviorSanitizer (`make sanitize`).
SANITIZE_DIR ?= build-asan
PREFIX ?= /usr/local
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# Said either way: CMake caches the options, so a CI build would otherwise leave them on for later plain builds.
# In CI a suite may not skip for want of a privilege: CI's machine has them all.
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_WERROR=$(if $(CI),ON,OFF) \
	-DQUORVANE_NO_SKIP=$(if $(CI),ON,OFF)

.PHONY: all deps test-deps configure game build run test bench clean install package sanitize

all: build

# A shell condition: whether the Debian package $(1) is installed.
installed = dpkg-query -W -f='$${Status}' $(1) 2>/dev/null | grep -q '^install ok installed$$'
# Shell commands that install those of the packages $(1) that are missing.
install_missing = missing=$$(for p in $(1); do $(call installed,$$p) || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -q && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi

deps:
	@$(call install_missing,$(RUN_PACKAGES))

test-deps: deps
	@$(call install_missing,$(TEST_PACKAGES))
	@if ! $(call installed,pipewire-pulse) && ! $(call installed,pulseaudio); then \
		echo "No sound server on this machine: installing both PipeWire and PulseAudio for the sound tests"; \
		$(call install_missing,$(SOUND_SERVERS)); \
	fi

# The game alone: neither the tests nor the benchmarks are configured.
configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) -DBUILD_TESTING=OFF

game: configure
	cmake --build $(BUILD_DIR) --target $(GAME_TARGETS)

run: game
	./$(BUILD_DIR)/src/quorvane

# Everything, the tests and the benchmarks included.
build: test-deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) -DBUILD_TESTING=ON
	cmake --build $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300
	@if [ -n "$(CI)" ]; then $(MAKE) --no-print-directory sanitize; fi

sanitize: test-deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_WERROR=ON -DQUORVANE_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) --target unit_tests
	cd $(SANITIZE_DIR) && ctest --output-on-failure --timeout 300 -L unit

install: configure
	cmake --build $(BUILD_DIR)
	$(SUDO) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Built as Debian builds it (debian/, dpkg-buildpackage), from a copy of the source: no compiled tree needed.
package: test-deps
	packaging/build-deb.sh $(BUILD_DIR)

bench: build
	cmake --build $(BUILD_DIR) --target benchmarks
	for b in $(BUILD_DIR)/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" || exit 1; fi; done

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)

# Prints a variable, e.g. `make -s print-RUN_PACKAGES`, for the check of what `make run` installs.
print-%:
	@echo $($*)
