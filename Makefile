# make run: install what is missing, build, open the notebook window.
# make test: install what is missing, build, run every test offscreen.
# make check: the same tests built with clang, AddressSanitizer and UndefinedBehaviorSanitizer,
#   then every reader's fuzz target for FUZZ_TIME seconds on its seeds.
BUILD ?= build
CHECK_BUILD ?= build-check
JOBS ?= 2
FUZZ_TIME ?= 20
# Undefined behaviour stops the program (-fno-sanitize-recover) with its stack. Qt is not built
# with the sanitizers, but nothing of it is reported (no leaks either), so LeakSanitizer stays on
# and nothing is suppressed.
# LeakSanitizer 14 takes a bogus address for a dynamic TLS block of glibc 2.36 once enough Qt
# plugins are loaded, and its tracer crashes there: it does not follow __tls_get_addr (leaks
# are still found; only blocks reached from dynamic TLS alone would be reported too).
SANITIZER_ENV = UBSAN_OPTIONS=print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0

.PHONY: run test build deps bench clean check fuzz package package-check

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "make run: no display here. Run it under a virtual display:"; \
	    echo "    xvfb-run -a -s '-screen 0 1280x900x24' make run"; \
	    exit 1; \
	fi
	@$(BUILD)/ikuji-techo $(ARGS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

check: deps
	@cmake -S . -B $(CHECK_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    -DTECHO_SANITIZE=ON -DTECHO_FUZZ=ON -DTECHO_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(CHECK_BUILD) -j$(JOBS)
	@cd $(CHECK_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	@$(MAKE) --no-print-directory fuzz

# Runs the fuzz targets that make check built; new inputs gather in $(CHECK_BUILD)/fuzz/corpus,
# an input that breaks a target is kept as $(CHECK_BUILD)/fuzz/<target>-crash-<hash>.
fuzz:
	@passed=0; failed=0; d=$(CHECK_BUILD)/fuzz; \
	for t in $$d/*_fuzz; do \
	    n=$$(basename $$t); mkdir -p $$d/corpus/$$n; \
	    if $(SANITIZER_ENV) $$t -max_total_time=$(FUZZ_TIME) -timeout=10 -artifact_prefix=$$d/$$n- \
	            $$d/corpus/$$n $$d/seeds/$$n >$$d/$$n.log 2>&1; then \
	        passed=$$((passed + 1)); \
	        printf 'fuzz: %-20s %s\n' $$n "$$(grep -o '#[0-9]*.DONE.*cov: [0-9]*' $$d/$$n.log)"; \
	    else \
	        failed=$$((failed + 1)); tail -n 40 $$d/$$n.log; echo "fuzz: $$n FAILED (log: $$d/$$n.log)"; \
	    fi; \
	done; \
	echo "fuzz: $$passed passed, $$failed failed"; [ $$failed -eq 0 ]

bench: build
	@for b in $(BUILD)/bench/*_bench; do $$b; done
	@$(BUILD)/bench/phone_load

clean:
	@rm -rf $(BUILD) $(CHECK_BUILD)

# make package: build/ikuji-techo_<version>_<arch>.deb.
package: build
	@cd $(BUILD) && cpack -G DEB >/dev/null && ls -1 $(CURDIR)/$(BUILD)/ikuji-techo_*.deb

# make package-check: lintian on the package, then installed on this machine (root), run from
# /usr/bin, opened offscreen from a fresh home, and removed leaving nothing under /usr.
package-check: package
	@sh tests/install/package_check.sh $(CURDIR)/$(BUILD)
