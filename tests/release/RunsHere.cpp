// The smallest Windows program there is: 'make test' starts it first, to tell
// a machine that cannot run the build's code at all from a failing test.
int main() {
    return 42;
}
