# Korvane Data Eraser: one-command set-up, build, test, run and install.
BUILD   ?= build
PREFIX  ?= /opt/korvane-data-eraser
JOBS    ?= $(shell nproc)
SUDO    := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Debian 12 packages needed to build, test and run.
DEPS := g++ cmake ninja-build pkg-config \
        qt6-base-dev qt6-svg-dev qt6-qpa-plugins libqt6svg6 \
        qt6-tools-dev qt6-l10n-tools qt6-translations-l10n \
        libplist-dev libplist++-dev libmount-dev libblkid-dev libsqlite3-dev \
        libgtest-dev libgmock-dev libbenchmark-dev sqlite3 libsodium-dev \
        python3-jsonschema poppler-utils \
        pkexec xvfb xauth fonts-dejavu-core \
        util-linux fdisk e2fsprogs btrfs-progs xfsprogs dosfstools exfatprogs ntfs-3g fusefat exfat-fuse fuse3 eject \
        dpkg-dev appstream desktop-file-utils man-db bash-completion

.PHONY: all deps configure build test run install deb deb-check clean format

all: build

# Installs only the packages that are missing, so repeated calls cost nothing.
deps:
	@missing=""; \
	for p in $(DEPS); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Starts the loader from the bundle in the build tree, as a user would start the installed one.
run: build
	"$(BUILD)/bundle/KorvaneLoader.app/Contents/MacOS/KorvaneLoader"

install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package korvane-data-eraser_VERSION_amd64.deb in $(BUILD) (CPack, see
# packaging/CMakeLists.txt). Install it with: apt install ./$(BUILD)/korvane-data-eraser_*.deb
deb: build
	cd $(BUILD) && cpack -G DEB
	@ls -l $(BUILD)/korvane-data-eraser_*_amd64.deb

# Installs the package into a fresh Debian 12 chroot, runs it, removes and purges it, and
# compares the chroot's files before and after (a few minutes; needs root and the network).
deb-check: deb
	packaging/check-deb.sh $(BUILD)/korvane-data-eraser_*_amd64.deb $(BUILD)/deb-check

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
