"""Starts or stops the Wine session that the end-to-end tests share:
    session.py start|stop --runner WINE_RUN_SH --session-dir DIR"""

import argparse
import os
import sys

from harness import Session


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("command", choices=["start", "stop"])
    parser.add_argument("--runner", required=True)
    parser.add_argument("--session-dir", required=True)
    options = parser.parse_args()
    session = Session(os.path.abspath(options.runner), os.path.abspath(options.session_dir))
    if options.command == "start":
        session.start()
    else:
        session.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
