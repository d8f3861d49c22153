# Pixmint: the two everyday commands are 'make run' and 'make test'.
# 'make fuzz' (FUZZ_SECONDS=...) and 'make bench' are there for deeper checks;
# 'make release' packs the 32-bit programs for download, 'make release-check'
# builds that twice in two folders and compares the bytes.

FUZZ_SECONDS ?= 600

.PHONY: run test fuzz bench release release-check
run:
	@tools/run.sh

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
