#!/usr/bin/env python3
"""Checks of the Windows build as shipped.

usage: windows_checks.py imports OBJDUMP EXE
           EXE imports no DLL beyond those every Windows ships: KERNEL32 and the C
           runtime (msvcrt.dll, or the Universal C Runtime: ucrtbase.dll and the
           api-ms-win-crt-* sets). A DLL a program loads while it runs is no import.
       windows_checks.py package CPACK CONFIG NAME VERSION FILE... -- EMULATOR...
           cpack builds NAME.zip from CONFIG; it holds exactly the folder NAME with the
           FILEs (the programs' .exe files first, then the examples and the licences)
           and README.txt (UTF-8 with a byte order mark, CR LF, both languages,
           VERSION). The licences are the project's and those of the runtime linked
           into the .exe files (GCC's runtime library exception, mingw-w64). Unpacked,
           the first .exe run through EMULATOR in examples/ draws the example
           (the first program is the generator).
Exit status 0 when every check holds; otherwise each failure is printed and the status is 1.
"""
import os
import re
import subprocess
import sys
import tempfile
import zipfile

SHIPPED_WITH_WINDOWS = re.compile(r'(kernel32|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+)\.dll', re.I)


def imports(objdump, exe):
    dump = subprocess.run([objdump, '-p', exe], capture_output=True, text=True, check=True).stdout
    dlls = re.findall(r'^\s*DLL Name: (\S+)', dump, re.M)
    print(f'{os.path.basename(exe)} imports {", ".join(dlls) or "nothing"}')
    foreign = [dll for dll in dlls if not SHIPPED_WITH_WINDOWS.fullmatch(dll)]
    if not dlls:
        return ['no import table found']
    return [f'imports {dll}, which Windows does not ship' for dll in foreign]


def package(cpack, config, name, version, files, emulator):
    exes = [f for f in files if f.endswith('.exe')]
    failures = []
    with tempfile.TemporaryDirectory(prefix='profile-sheet-package-') as work:
        done = subprocess.run([cpack, '--config', config, '-B', work], capture_output=True, text=True)
        zip_path = os.path.join(work, name + '.zip')
        if done.returncode != 0 or not os.path.isfile(zip_path):
            return [f'cpack failed ({done.returncode}):\n{done.stdout}{done.stderr}']
        print(f'{name}.zip: {os.path.getsize(zip_path)} bytes')
        with zipfile.ZipFile(zip_path) as archive:
            held = sorted(n for n in archive.namelist() if not n.endswith('/'))
            want = sorted([f'{name}/{f}' for f in files] + [f'{name}/README.txt'])
            for entry in archive.infolist():
                print(f'  {entry.file_size:9d}  {entry.filename}')
            if held != want:
                failures.append(f'zip holds {held}, expected {want}')
            unpacked = os.path.join(work, 'unpacked')
            archive.extractall(unpacked)
        folder = os.path.join(unpacked, name)

        readme_path = os.path.join(folder, 'README.txt')
        readme = open(readme_path, 'rb').read() if os.path.isfile(readme_path) else b''
        if not readme.startswith(b'\xef\xbb\xbf'):
            failures.append('README.txt does not start with the UTF-8 byte order mark')
        if readme.count(b'\n') != readme.count(b'\r\n') or readme.count(b'\r') != readme.count(b'\r\n'):
            failures.append('README.txt has a line not ended by CR LF')
        try:
            text = readme.decode('utf-8-sig')
        except UnicodeDecodeError as error:
            failures.append(f'README.txt is not UTF-8: {error}')
            text = ''
        for must in ('[日本語]', '[English]', version, 'ERRORLEVEL', '$LASTEXITCODE', '1:1', 'licenses'):
            if must not in text:
                failures.append(f'README.txt lacks {must!r}')

        licences = {'licenses/profile-sheet.txt': b'MIT License',
                    'licenses/gcc-runtime.txt': b'GCC RUNTIME LIBRARY EXCEPTION',
                    'licenses/mingw-w64-runtime.txt': b'mingw-w64'}
        for path, must in licences.items():
            full = os.path.join(folder, path)
            text = open(full, 'rb').read() if os.path.isfile(full) else b''
            if must not in text:
                failures.append(f'{path} missing or without {must!r}')

        # As a user would run it: the inputs' folder is the current folder.
        examples = os.path.join(folder, 'examples')
        exe = os.path.join(folder, exes[0])
        if os.path.isfile(exe) and os.path.isdir(examples):
            run = subprocess.run(emulator + [exe], cwd=examples, stdin=subprocess.DEVNULL,
                                 capture_output=True, timeout=120)
            drawing_path = os.path.join(examples, 'Tesmora.dxf')
            drawing = open(drawing_path, 'rb').read() if os.path.isfile(drawing_path) else b''
            if run.returncode != 0 or run.stdout or run.stderr:
                failures.append(f'{exes[0]} in examples/: status {run.returncode}, '
                                f'console {run.stdout!r} {run.stderr!r}')
            if not drawing.endswith(b'\r\n0\r\nEOF\r\n'):
                failures.append(f'{exes[0]} in examples/ left a drawing of {len(drawing)} bytes '
                                'without the end of the document')
    return failures


def main(argv):
    if argv[1:2] == ['imports'] and len(argv) == 4:
        failures = imports(argv[2], argv[3])
    elif argv[1:2] == ['package'] and '--' in argv:
        end = argv.index('--')
        cpack, config, name, version, *files = argv[2:end]
        failures = package(cpack, config, name, version, files, argv[end + 1:])
    else:
        sys.exit(__doc__)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
