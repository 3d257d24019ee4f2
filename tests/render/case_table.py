"""The loop the rendered-file checks share: one line per case, and the status of them all."""

import sys


def run_table(cases, run_one):
    """Calls run_one(number, case) for each case (numbered from 1; a case starts with its
    tool and arguments), prints ok or FAIL with the reason, and exits 1 if any failed."""
    failures = 0
    for number, case in enumerate(cases, 1):
        tool, args = case[0], case[1]
        try:
            run_one(number, case)
            print(f"ok    {tool} {' '.join(args)}")
        except AssertionError as error:
            failures += 1
            print(f"FAIL  {tool} {' '.join(args)}: {error}")
    sys.exit(1 if failures else 0)
