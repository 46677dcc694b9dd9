#!/usr/bin/env python3
# Runs a command and writes its peak resident memory (the kernel's maximum
# resident set size, in KB) to a file; exits with the command's exit code.
# A SIGTERM is passed on to the command.
# Usage: peak_rss.py FILE COMMAND [ARGS...]
import resource
import signal
import subprocess
import sys

child = subprocess.Popen(sys.argv[2:])
signal.signal(signal.SIGTERM, lambda *_: child.terminate())
code = child.wait()
with open(sys.argv[1], "w") as f:
    f.write(str(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss))
sys.exit(code if code >= 0 else 128 - code)
