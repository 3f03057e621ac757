# Wraps the set-up so that two commands do everything: `make run` and `make test`.

# All that building and playing needs, and all that `make run` installs: no sound server (libpcaudio plays through
# whichever one the desktop runs), no window manager, no test tool.
RUN_PACKAGES := build-essential cmake ninja-build pkg-config \
	qt6-base-dev qt6-svg-dev qt6-charts-dev qt6-wayland qt6-translations-l10n \
	libespeak-ng-dev espeak-ng-data libpcaudio-dev libpcaudio0 \
	fonts-liberation2 fonts-roboto-unhinted
# What `make test` adds: a display, a window manager, keys and screenshots, the accessibility bus, a faster clock,
# the sound tests' recorder, the benchmarks' X library, systemd's tools that start the record service on a socket and
# check its units, and the package's checks (its build needs what debian/control names: `package-deps`).
TEST_PACKAGES := xvfb xauth xdotool x11-utils xfwm4 imagemagick dbus-x11 at-spi2-core python3-pyatspi libfaketime \
	strace pulseaudio-utils libxcb1-dev poppler-utils \
	desktop-file-utils appstream dpkg-dev file groff-base lintian systemd
# The headless Wayland compositor that the game is started on without XWayland, installed without the GNOME desktop
# pieces it recommends (about 120 MB of the 330 MB it would bring on Debian 12).
WAYLAND_TEST_PACKAGES := mutter
# The sound tests start a private instance of the server the machine has, and never install the other: two servers
# fight over one socket. Only a machine with neither (a headless one, with no desktop to disturb) gets both.
SOUND_SERVERS := pipewire wireplumber pipewire-pulse pulseaudio
# What `make run` builds: the game and its record service.
GAME_TARGETS := quorvane quorvane-recordd

BUILD_DIR ?= build
# The unit and widget tests once more with AddressSanitizer and UndefinedBehaviorSanitizer (`make sanitize`).
SANITIZE_DIR ?= build-asan
PREFIX ?= /usr/local
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# Said either way: CMake caches the options, so a CI build would otherwise leave them on for later plain builds.
# In CI a suite may not skip for want of a privilege: CI's machine has them all.
# The prefix is given at configure time as well: the service's unit names where its program is installed.
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_WERROR=$(if $(CI),ON,OFF) \
	-DQUORVANE_NO_SKIP=$(if $(CI),ON,OFF) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
# The suites run side by side, as many at once as the machine has cores; those that share something declare it
# (tests/CMakeLists.txt). The package's build and check (label "release") is CI's and the release's, not make test's.
CTEST := ctest --output-on-failure --timeout 300 -j$(shell nproc)

.PHONY: all deps test-deps package-deps configure game build run test bench clean install package sanitize

all: build

# A shell condition: whether the Debian package $(1) is installed.
installed = dpkg-query -W -f='$${Status}' $(1) 2>/dev/null | grep -q '^install ok installed$$'
# Shell commands that install those of the packages $(1) that are missing, with apt-get's options $(2).
install_missing = missing=$$(for p in $(1); do $(call installed,$$p) || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -q && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $(2) $$missing; \
	fi

deps:
	@$(call install_missing,$(RUN_PACKAGES))

test-deps: deps
	@$(call install_missing,$(TEST_PACKAGES))
	@$(call install_missing,$(WAYLAND_TEST_PACKAGES),--no-install-recommends)
	@if ! $(call installed,pipewire-pulse) && ! $(call installed,pulseaudio); then \
		echo "No sound server on this machine: installing both PipeWire and PulseAudio for the sound tests"; \
		$(call install_missing,$(SOUND_SERVERS)); \
	fi

# What the Debian package's build needs on this release, as debian/control names it (systemd-dev from Debian 13 on).
package-deps: test-deps
	@dpkg-checkbuilddeps >/dev/null 2>&1 || { echo "Installing the Debian package's build dependencies"; \
		$(SUDO) apt-get update -q && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q ./; }

# The game alone: neither the tests nor the benchmarks are configured.
configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) -DBUILD_TESTING=OFF

game: configure
	cmake --build $(BUILD_DIR) --target $(GAME_TARGETS)

run: game
	./$(BUILD_DIR)/src/quorvane

# The game and the tests; in CI the benchmarks too, which only `make bench` runs, so that they never rot.
build: test-deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) -DBUILD_TESTING=ON
	cmake --build $(BUILD_DIR)
	$(if $(CI),cmake --build $(BUILD_DIR) --target benchmarks)

# Runs the commands $(2) as the phase $(1) of `make test` and adds how long they took to the table it prints last.
PHASE_TIMES = $(BUILD_DIR)/phase-times.txt
phase = { phase_started=$$(date +%s); ( $(2) ); status=$$?; \
	printf '%-9s %5d s%s\n' $(1) $$(($$(date +%s) - phase_started)) "$$([ $$status = 0 ] || echo '  FAILED')" \
		>>$(PHASE_TIMES); [ $$status = 0 ]; }

# Phase after phase, up to the first that fails; in CI also the sanitizer build and the package.
test:
	@mkdir -p $(BUILD_DIR) && rm -f $(PHASE_TIMES)
	@started=$$(date +%s); \
	$(call phase,packages,$(MAKE) --no-print-directory $(if $(CI),package-deps,test-deps)) && \
	$(call phase,build,$(MAKE) --no-print-directory build) && \
	$(call phase,suites,cd $(BUILD_DIR) && $(CTEST) -LE release) && \
	$(if $(CI),$(call phase,sanitizer,$(MAKE) --no-print-directory sanitize) && \
	$(call phase,package,cd $(BUILD_DIR) && $(CTEST) -L release) && ) \
	true; status=$$?; \
	echo; echo "make test, phase by phase:"; cat $(PHASE_TIMES); \
	printf '%-9s %5d s\n' total $$(($$(date +%s) - started)); \
	exit $$status

sanitize: test-deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_WERROR=ON -DQUORVANE_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) --target unit_tests
	cd $(SANITIZE_DIR) && $(CTEST) -L unit

install: configure
	cmake --build $(BUILD_DIR)
	$(SUDO) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Built as Debian builds it (debian/, dpkg-buildpackage), from a copy of the source: no compiled tree needed.
package: package-deps
	packaging/build-deb.sh $(BUILD_DIR)

bench: build
	cmake --build $(BUILD_DIR) --target benchmarks
	for b in $(BUILD_DIR)/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" || exit 1; fi; done

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)

# Prints a variable, e.g. `make -s print-RUN_PACKAGES`, for the check of what `make run` installs.
print-%:
	@echo $($*)
