# Quick start: `make run` builds and starts Plenvo, `make test` builds the
# sanitizer configuration and runs every test headless.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test format power-test bench screenshot report-pictures clean

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
# gui_bench then the daily screen on it and export_bench the exports and the
# export command line, each adding its figures to that line, so the final
# line carries every figure of that folder.
bench: deps
	cmake -S . -B $(BUILD_DIR)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLENVO_BENCH=ON
	cmake --build $(BUILD_DIR)/bench -j $(JOBS) --target jobs_filter_bench daily_bench period_bench copies_bench gui_bench \
	  export_bench plenvo
	cd $(BUILD_DIR)/bench && ./bench/daily_bench && ./bench/period_bench && ./bench/copies_bench && \
	  ./bench/jobs_filter_bench bench-data > jobs_filter.out && cat jobs_filter.out && \
	  ./bench/gui_bench bench-data/jobs-1m --merge jobs_filter.out > gui.out && cat gui.out && \
	  ./bench/export_bench bench-data/jobs-1m app/plenvo --merge gui.out

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
