# Entry points: `make run` starts the program, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
HOME_ARG ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-app $(BUILD)/src/ostrelog $(HOME_ARG)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

bench: build
	@$(BUILD)/bench/ostrelog-bench

clean:
	rm -rf $(BUILD)
