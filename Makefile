# Quick start: `make run` builds and starts Plenvo, `make test` builds the
# sanitizer configuration and runs every test headless.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test format power-test bench-build bench bench-large screenshot report-pictures clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR)/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR)/release -j $(JOBS)

run: build
	$(BUILD_DIR)/release/app/plenvo

test: deps
	cmake -S . -B $(BUILD_DIR)/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLENVO_TESTS=ON -DPLENVO_SANITIZE=ON
	cmake --build $(BUILD_DIR)/test -j $(JOBS)
	cd $(BUILD_DIR)/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Formats every C++ source with .clang-format; `make test` fails on a difference.
format: deps
	scripts/format.sh

# The long power-cut series: 1,000 simulated power cuts on the test build.
POWER_SEED ?= $(shell date +%s)
power-test: deps
	cmake -S . -B $(BUILD_DIR)/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLENVO_TESTS=ON -DPLENVO_SANITIZE=ON
	cmake --build $(BUILD_DIR)/test -j $(JOBS) --target power_driver
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/test/tests/power/power_driver --cuts 1000 --seed $(POWER_SEED)

# Benchmarks print their figures; the last line of each is JSON.
# jobs_filter_bench times the store and the schedules on its 1 M-row folder,
# gui_bench then the daily screen on it, export_bench the exports and the
# export command line and cold_start_bench the program's start to its first
# frame, each adding its figures to that line, so the final line carries
# every figure of that folder. pg_bench then adds the store's figures on a
# private PostgreSQL server holding 1 M relations (when PostgreSQL is there).
BENCH_PROGRAMS = jobs_filter_bench daily_bench period_bench copies_bench gui_bench export_bench cold_start_bench \
  pg_bench figures_table plenvo
# The figures of the folder jobs-$(1) under bench-data, run in the bench
# build; $(2) tells jobs_filter_bench which folder to make and how.
bench_folder = ./bench/jobs_filter_bench bench-data $(2) > jobs-$(1).out && cat jobs-$(1).out && \
  ./bench/gui_bench bench-data/jobs-$(1) --merge jobs-$(1).out > gui-$(1).out && cat gui-$(1).out && \
  ./bench/export_bench bench-data/jobs-$(1) app/plenvo --merge gui-$(1).out > export-$(1).out && \
  cat export-$(1).out && \
  ./bench/cold_start_bench bench-data/jobs-$(1) app/plenvo --merge export-$(1).out > figures-$(1).out && \
  cat figures-$(1).out

bench-build: deps
	cmake -S . -B $(BUILD_DIR)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLENVO_BENCH=ON
	cmake --build $(BUILD_DIR)/bench -j $(JOBS) --target $(BENCH_PROGRAMS)

bench: bench-build
	cd $(BUILD_DIR)/bench && ./bench/daily_bench && ./bench/period_bench && ./bench/copies_bench && \
	  $(call bench_folder,1m) && \
	  ./bench/pg_bench --merge figures-1m.out > figures-1m-pg.out && cat figures-1m-pg.out

# The same figures on the 1 M folder and on a 10 M one (3,000 workers, 300
# workplaces, ten years), side by side with their ratio; the last line holds
# the 10 M figures, each key with "_10m" appended. The 10 M folder is made
# once and kept in the build folder while its tables are laid out as the
# program writes them.
bench-large: bench-build
	cd $(BUILD_DIR)/bench && $(call bench_folder,1m) && $(call bench_folder,10m,--size 10m --keep) && \
	  ./bench/figures_table figures-1m.out figures-10m.out

# The README's pictures of the three screens at 100 % and 200 %.
screenshot: deps
	cmake -S . -B $(BUILD_DIR)/tools -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLENVO_TOOLS=ON
	cmake --build $(BUILD_DIR)/tools -j $(JOBS) --target plenvo_screenshot
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/tools/plenvo_screenshot \
	  docs/screenshot-daily.png docs/screenshot-worker.png docs/screenshot-workplace.png
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 $(BUILD_DIR)/tools/tools/plenvo_screenshot \
	  docs/screenshot-daily@2x.png docs/screenshot-worker@2x.png docs/screenshot-workplace@2x.png

# Every report to PDF with a month of sample data; the README's report pictures from them.
report-pictures: deps
	cmake -S . -B $(BUILD_DIR)/tools -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLENVO_TOOLS=ON
	cmake --build $(BUILD_DIR)/tools -j $(JOBS) --target plenvo_report_pictures
	mkdir -p $(BUILD_DIR)/report-pdfs
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/tools/tools/plenvo_report_pictures reports/plenvo.rav $(BUILD_DIR)/report-pdfs
	pdftoppm -png -r 80 -singlefile -x 0 -y 0 -W 661 -H 690 $(BUILD_DIR)/report-pdfs/DailyScheduleFull.pdf docs/report-example
	pdftoppm -png -r 80 -singlefile $(BUILD_DIR)/report-pdfs/WorkplaceScheduleTwoCol.pdf docs/report-twocol-example

clean:
	rm -rf $(BUILD_DIR)
