#!/usr/bin/env python3
"""Links the page and fails the link when a pattern of the list of code kept
out of Asyncify (ASYNCIFY_REMOVE in CMakeLists.txt) matches no function.

The list names functions by patterns alone; binaryen only warns of a pattern
that matches nothing, and after a rename the loop it meant would quietly go
through Asyncify and slow the page. Usage: checked_link.py LINK-COMMAND...
"""

import os
import subprocess
import sys

UNMATCHED = "list contained a non-matching pattern"


def output_of(command):
    """The file the link writes, named after -o."""
    for i, arg in enumerate(command[:-1]):
        if arg == "-o":
            return command[i + 1]
    return None


def main():
    command = sys.argv[1:]
    link = subprocess.run(command, stderr=subprocess.PIPE, text=True, check=False)
    sys.stderr.write(link.stderr)
    if link.returncode != 0:
        return link.returncode
    unmatched = [line for line in link.stderr.splitlines() if UNMATCHED in line]
    if not unmatched:
        return 0
    for line in unmatched:
        # "…pattern: *name* (*name*)": the pattern, then as binaryen escaped it.
        pattern = line.split(UNMATCHED, 1)[1].strip(" :").split(" (", 1)[0]
        sys.stderr.write(f"error: the pattern {pattern} of ASYNCIFY_REMOVE (page/CMakeLists.txt) matches no "
                         "function of the page: rename it after the function it meant, or drop it\n")
    output = output_of(command)
    if output:
        try:
            os.remove(output)
        except OSError:
            pass
    return 1


if __name__ == "__main__":
    sys.exit(main())
