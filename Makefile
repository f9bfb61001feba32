# Quelvar 2: `make test` and `make run` install what they need, configure,
# build and go. Build folders: build/ (normal), build-sanitize/ (ASan + UBSan).
BUILD      ?= build
SANITIZE   ?= build-sanitize
FUZZ       ?= build-fuzz
PACKAGE    ?= build-package
FUZZ_SECONDS ?= 60
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
JOBS       ?= $(shell nproc)

.PHONY: all deps configure build test run screenshots sanitize bench package fuzz clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run $(BUILD)

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/quelvar --screenshots $(BUILD)/screenshots
	@echo "Screenshots are in $(BUILD)/screenshots"

# Whole transfers against the simulator pacing its line at 57600 and 9600 baud, the
# editor's event loop during transfers through its built-in simulated indicator, the
# setup report built and painted to a PDF, the setup text exported and imported, and
# the start-up of quelvar-cli beside a C++ program that does nothing.
bench: build
	$(BUILD)/bench/bench_transfer
	$(BUILD)/bench/bench_event_loop
	$(BUILD)/bench/bench_report
	$(BUILD)/bench/bench_setup_text
	$(BUILD)/bench/bench_startup

# The Debian package quelvar_<version>_<arch>.deb in the top folder, built in its own
# folder for the /usr prefix, then checked as Debian's tools see it.
package: deps
	cmake -S . -B $(PACKAGE) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGE) -j $(JOBS)
	cd $(PACKAGE) && cpack -G DEB
	cp $(PACKAGE)/quelvar_*.deb .
	scripts/check-package $(PACKAGE)/quelvar_*.deb

sanitize: deps
	cmake -S . -B $(SANITIZE) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DQUELVAR_SANITIZE=ON
	cmake --build $(SANITIZE) -j $(JOBS)
	cd $(SANITIZE) && QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS on its corpus (clang, ASan + UBSan + libFuzzer).
fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DQUELVAR_FUZZ=ON
	cmake --build $(FUZZ) -j $(JOBS) --target fuzz_all
	scripts/run-fuzzers $(FUZZ) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(SANITIZE) $(FUZZ) $(PACKAGE)
