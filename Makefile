# Pixmint: the two everyday commands are 'make run' and 'make test'.
# 'make fuzz' (FUZZ_SECONDS=...) and 'make bench' are there for deeper checks.

FUZZ_SECONDS ?= 600

.PHONY: run test fuzz bench
run:
	@tools/run.sh

test:
	@tools/test-all.sh

fuzz:
	@tools/setup.sh
	@tools/fuzz.sh $(FUZZ_SECONDS)

bench:
	@tools/bench.sh
