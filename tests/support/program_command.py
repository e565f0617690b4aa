"""The program under test, as the Python-driven tests receive it.

A test script's arguments name the program by the command that runs it, ended
by "--": the program's path, preceded by an emulator when the program is built
for another system (Wine's loader for a Windows build), and before all of it
--crlf when the program's console lines end with CR LF (Windows). For example

    whole_run.py build/profile-sheet -- golden tests/data/small
    whole_run.py --crlf /usr/lib/wine/wine64 build-win64-test/profile-sheet.exe -- golden tests/data/small

CMake writes these arguments with program_test_command (cmake/programs.cmake).
"""
import os
import sys


def split(args):
    """(command, console line end, the arguments after "--") of a script's arguments."""
    if '--' not in args:
        sys.exit('the program command must be followed by "--"')
    end = args.index('--')
    command, rest = args[:end], args[end + 1:]
    line_end = b'\n'
    if command[:1] == ['--crlf']:
        command, line_end = command[1:], b'\r\n'
    if not command:
        sys.exit('no program command before "--"')
    # The program runs in scratch folders: paths relative to here are made absolute.
    return [os.path.abspath(a) if os.path.exists(a) else a for a in command], line_end, rest


def console(text, line_end):
    """Console bytes as the program writes them: each LF of text ended with line_end."""
    return text.replace(b'\n', line_end)


# The locales of runs whose command line holds names beyond ASCII. Wine takes the system's ANSI
# code page from LANG: 932 (Japanese) for ja_JP.UTF-8, 1252 (Western) for en_US.UTF-8, and it
# reads a Linux command line in the locale's character set, so both are UTF-8 locales. Both
# must be installed (tools/packages.sh generates them).
UTF8_LOCALES = ('ja_JP.UTF-8', 'en_US.UTF-8')


def missing_locales():
    """Those of UTF8_LOCALES that this machine lacks (locale -a spells them ja_JP.utf8)."""
    import subprocess
    have = subprocess.run(['locale', '-a'], capture_output=True, text=True).stdout.lower().split()
    return [name for name in UTF8_LOCALES if name.lower().replace('utf-8', 'utf8') not in have]
