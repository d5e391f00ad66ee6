# Tarvo: the commands of the README. Each one installs missing packages first.
BUILD   ?= build
APP     ?= Tarvo
DEMO    ?= Tarvo-demo
JOBS    ?= $(shell nproc)
PREFIX  ?= $(HOME)/.local
# A compiler cache, when the machine has one, makes rebuilds from a clean clone quick.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)
# The test programs are built only for `make test`; WERROR=ON turns warnings into errors (CI).
TESTS   ?= OFF
WERROR  ?= OFF
MAKEFLAGS += --no-print-directory

.PHONY: all deps build stage run demo team-demo test bench install uninstall clean

all: build

# What the program needs to build and run; the test programs' own packages only for `make test`.
deps:
	@scripts/install-deps $(if $(filter ON,$(TESTS)),--tests)

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) \
	  -DTARVO_BUILD_TESTS=$(TESTS) -DTARVO_WERROR=$(WERROR) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

# The program and its manual in their own folder, so that a clean build never touches the
# working database beside them.
stage: build
	@mkdir -p $(APP)
	@cp $(BUILD)/bin/tarvo $(BUILD)/bin/tarvo-viewer $(BUILD)/bin/manual.htm $(APP)/
	@test -f $(APP)/main.mdb || $(BUILD)/bin/tarvo-newdb $(APP)/main.mdb

run: stage
	@$(APP)/tarvo

# A fresh sample plant every time, with dates relative to today.
demo: build
	@mkdir -p $(DEMO)
	@cp $(BUILD)/bin/tarvo $(BUILD)/bin/tarvo-viewer $(BUILD)/bin/manual.htm $(DEMO)/
	@rm -f $(DEMO)/main.mdb
	@$(BUILD)/bin/tarvo-newdb --sample $(DEMO)/main.mdb
	@$(DEMO)/tarvo

# Two technicians, two windows, one throwaway local server with the sample plant; the server
# stops and its folder goes when both windows are closed.
team-demo: build
	@scripts/install-deps --server
	@scripts/team-demo $(BUILD)

# Installed like a desktop program: the programs in PREFIX/bin, the manual, the menu entry, the
# icon and the software-centre description under PREFIX/share. Its data goes to the user's data
# folder (~/.local/share/Tarvo).
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX) --strip
	@echo "Tarvo is installed in $(PREFIX): start it from the menu, or as $(PREFIX)/bin/tarvo"

# Removes what `make install` put under the same PREFIX; the data in ~/.local/share/Tarvo stays.
uninstall:
	@test -f $(BUILD)/cmake_install.cmake || { echo "No build in $(BUILD): run make install first"; exit 1; }
	@scripts/uninstall $(BUILD) $(PREFIX)

test:
	@$(MAKE) build TESTS=ON
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bin/tarvo-bench

clean:
	@rm -rf $(BUILD)
