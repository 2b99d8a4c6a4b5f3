# SPDX-License-Identifier: GPL-3.0-or-later
# make run  — install what is missing, build, start the editor
# make test — install what is missing, build, run every test
# make package — build/wmk38_<version>_<arch>.deb (see README, "Install")
BUILD ?= build
PACKAGES := g++ cmake make qt6-base-dev qt6-serialport-dev qt6-translations-l10n libgl-dev fonts-liberation \
            qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools \
            dpkg-dev desktop-file-utils xvfb xdotool lintian appstream
JOBS ?= $(shell nproc)

.PHONY: all deps build run test package clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" -eq 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update && \
	  $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/wmk38

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 300

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
