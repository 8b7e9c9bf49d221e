# LoopLab — the commands. Each one installs what is missing, configures and builds first.
BUILD ?= build
JOBS ?= 2
FUZZ_SECONDS ?= 60

.PHONY: all bootstrap configure build test run bench soak fuzz screenshots clean

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: | bootstrap
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > $(BUILD).configure.log \
		|| (cat $(BUILD).configure.log; exit 1)

configure: bootstrap $(BUILD)/build.ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Every test, then the core, model and batch-tool tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a few seconds of each fuzz target on its seed corpus.
test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@JOBS=$(JOBS) scripts/sanitized-tests
	@JOBS=$(JOBS) scripts/fuzz --smoke

# Each fuzz target for FUZZ_SECONDS (60 by default).
fuzz: bootstrap
	@JOBS=$(JOBS) scripts/fuzz $(FUZZ_SECONDS)

run: build
	@$(BUILD)/looplab

# 200 cycles of define, import, plot, animate, save and Clear All in one process; fails when
# the heap grows by more than 10 %.
soak: build
	@$(BUILD)/bench/soak 200 2>/dev/null

# Renders every window offscreen into docs/screenshots/*.png.
screenshots: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/app/looplab-screenshots docs/screenshots \
		$(BUILD)/steel-cyclic.txt

bench: build
	@$(BUILD)/bench/model_bench
	@$(BUILD)/bench/io_bench
	@$(BUILD)/bench/model_cost
	@$(BUILD)/bench/ui_bench 2>/dev/null

clean:
	@rm -rf $(BUILD) $(BUILD).configure.log build-asan build-fuzz
