# Kalvo — the two commands:
#   make run    install what is missing, build, open Kalvo on the sample portfolio
#   make test   install what is missing, build, run every test
# Further: make test-de (the suite in de_DE.UTF-8), make bench, make fuzz,
# make sanitize, make install, make deb (the Debian package).

BUILD   ?= build
JOBS    ?= $(shell nproc)
BEISPIEL = examples/Beispiel.kvo

.PHONY: deb run test test-de golden format format-check pruefen build deps bench fuzz sanitize install clean

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The suite once more in the locale of a German desktop: decimal commas in the
# C library must never reach a file, a report or a chart.
test-de: build
	cd $(BUILD) && LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ctest --output-on-failure -j $(JOBS)

# Rewrites the golden outputs of the samples (tests/golden/) from the program
# as it is now. Only on purpose: review the diff and say why in the commit.
golden: build
	KALVO_GOLDEN=schreiben $(BUILD)/tests/kalvo_tests --gtest_filter='Golden.*'
	@git status --short tests/golden 2>/dev/null || true

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(BUILD)/src/kalvo $(BEISPIEL); \
	else \
		$(BUILD)/src/kalvo-batch $(BEISPIEL); \
		echo; \
		echo "Kein Bildschirm gefunden: oben steht der Bericht von kalvo-batch."; \
		echo "Das Fenster zeigt z. B.:  xvfb-run -a $(BUILD)/src/kalvo $(BEISPIEL)"; \
	fi

bench: deps
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVO_GUI=OFF -DKALVO_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS) --target kalvo_bench
	$(BUILD)-bench/bench/kalvo_bench

# Each fuzz target runs for FUZZ_SECONDS.
FUZZ_SECONDS ?= 20
fuzz: deps
	CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKALVO_FUZZ=ON -DKALVO_GUI=OFF -DKALVO_TESTS=OFF -DKALVO_BENCH=OFF
	cmake --build $(BUILD)-fuzz -j $(JOBS)
	for ziel in fuzz_kvo fuzz_feldsatz fuzz_profil fuzz_feldtabelle fuzz_bandbreiten fuzz_planung; do \
		mkdir -p $(BUILD)-fuzz/korpus/$$ziel; \
		$(BUILD)-fuzz/fuzz/$$ziel -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
			$(BUILD)-fuzz/korpus/$$ziel fuzz/korpus/$$ziel || exit 1; \
	done

# The tests once more, the Qt windows included, under AddressSanitizer and
# UndefinedBehaviorSanitizer, built with warnings as errors. Leaks are
# checked in the program's own code; those of Qt's and fontconfig's caches
# are suppressed (tests/lsan.supp).
sanitize: deps
	cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVO_BENCH=OFF -DKALVO_WERROR=ON \
		-DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)

# The source files in the project's style (.clang-format).
QUELLEN = $(shell git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'examples/*.cpp')
format:
	@clang-format -i $(QUELLEN)
format-check: deps
	@clang-format --dry-run --Werror $(QUELLEN) && echo "Formatierung in Ordnung"

# Static checks that find real faults: cppcheck over the sources (warnings,
# performance, portability; no finding may remain) and shellcheck over the scripts.
pruefen: deps
	@cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability --std=c++20 \
		--language=c++ -I src --suppress=missingIncludeSystem --inline-suppr src
	@shellcheck scripts/*.sh .ci/run
	@echo "Statische Prüfung ohne Befund"

install: build
	cmake --install $(BUILD)

# The Debian package $(BUILD)/paket/kalvo_<Version>-1_<Architektur>.deb from
# the build the tests ran on (stripped), then checked and installed into a
# fresh Debian 12 root by scripts/paket-pruefen.sh.
deb: build
	@./scripts/install-deps.sh --paket
	rm -rf $(BUILD)/paket
	cd $(BUILD) && cpack -G DEB
	./scripts/paket-pruefen.sh $(BUILD)/paket/kalvo_*.deb

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-fuzz $(BUILD)-asan
