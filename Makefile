# Pixmint: the everyday commands are 'make run', 'make test' and 'make convert'.
# 'make fuzz' (FUZZ_SECONDS=...) and 'make bench' are there for deeper checks;
# 'make release' packs the 32-bit programs for download, 'make release-check'
# builds that twice in two folders and compares the bytes. 'make install' and
# 'make uninstall' put pixmint-convert, its manual page and its licences under
# PREFIX (within DESTDIR, for packaging).

FUZZ_SECONDS ?= 600
PREFIX ?= /usr/local
DESTDIR ?=

# What 'make install' writes, and from where.
CONVERT_PROGRAM := build/convert/pixmint-convert
CONVERT_MANUAL := convert/pixmint-convert.1
FONT_LICENCE := lettering/font/OFL.txt
bindir = $(DESTDIR)$(PREFIX)/bin
man1dir = $(DESTDIR)$(PREFIX)/share/man/man1
docdir = $(DESTDIR)$(PREFIX)/share/doc/pixmint-convert

.PHONY: run test convert install uninstall fuzz bench release release-check
run:
	@tools/run.sh

# pixmint-convert alone, optimized like the release and without sanitizers.
# Configured only when new or when the presets changed, so that 'sudo make
# install' after 'make convert' writes nothing into the build tree.
convert:
	@tools/setup.sh convert
	@[ build/convert/CMakeCache.txt -nt CMakePresets.json ] || cmake --preset convert >/dev/null
	@MAKEFLAGS=--no-print-directory cmake --build --preset convert -j"$$(nproc)"
	@echo "make convert: $(CONVERT_PROGRAM)"

# The manual page names its files under /usr/local; installed, under PREFIX.
install: convert
	install -d "$(bindir)" "$(man1dir)" "$(docdir)"
	install -m 755 $(CONVERT_PROGRAM) "$(bindir)/pixmint-convert"
	sed 's|/usr/local/|$(PREFIX)/|g' $(CONVERT_MANUAL) >"$(man1dir)/pixmint-convert.1"
	chmod 644 "$(man1dir)/pixmint-convert.1"
	install -m 644 LICENCE "$(docdir)/LICENCE"
	install -m 644 $(FONT_LICENCE) "$(docdir)/OFL.txt"

uninstall:
	rm -f "$(bindir)/pixmint-convert" "$(man1dir)/pixmint-convert.1" \
	  "$(docdir)/LICENCE" "$(docdir)/OFL.txt"
	if [ -d "$(docdir)" ]; then rmdir --ignore-fail-on-non-empty "$(docdir)"; fi

test:
	@tools/test-all.sh

fuzz:
	@tools/setup.sh
	@tools/fuzz.sh $(FUZZ_SECONDS)

bench:
	@tools/bench.sh

release:
	@tools/release.sh

release-check:
	@tools/release-check.sh
