#!/usr/bin/env python3
"""Include graph of src/: every #include "..." edge, edges from a lower layer
to a higher one, Windows headers in the platform-free core, and cycles
between files and between units (x.h with x.cpp). Usage: scripts/include_graph.py [SRC]
Every file of src/ has its layer below; a new file needs one, so that its place is a choice."""
import os, re, sys

src = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else 'src')
LAYERS = ['core', 'win', 'services', 'windows', 'entry']
CORE_UNITS = {'inventory/download_name', 'inventory/dummy_header', 'inventory/incomplete_list',
              'inventory/file_entry', 'app/settings_model', 'app/version_text', 'mainwindow/layout_core',
              'mainwindow/folder_store', 'mainwindow/file_list_model', 'mainwindow/file_list_sort',
              'dialogs/setting_values', 'mainwindow/drop_rules', 'mainwindow/list_changes'}
SERVICE_UNITS = {'app/ini', 'app/version', 'inventory/scan_folder', 'mainwindow/folder_file',
                 'mainwindow/locale_text', 'mainwindow/appearance'}
ENTRY_UNITS = {'app/startup', 'app/winmain', 'app/program_dialogs'}
WINDOWS_HEADERS = re.compile(r'^(windows|winuser|wingdi|commctrl|shellapi|shlobj|objbase|ole2|windowsx|shlwapi|'
                             r'winbase|combaseapi|uxtheme|dwmapi|commdlg)\.h$', re.I)

def unit(path):
    return os.path.splitext(path)[0]

def layer(path):
    u = unit(path)
    if u.startswith('core/') or u in CORE_UNITS or path == 'res/resource.h':
        return 0
    if u.startswith('win/'):
        return 1
    if u.startswith('fileops/') or u in SERVICE_UNITS:
        return 2
    if u in ENTRY_UNITS:
        return 4
    if u.startswith(('dialogs/', 'mainwindow/')) or u == 'app/splash':
        return 3
    return None

files = sorted(os.path.relpath(os.path.join(d, f), src) for d, _, fs in os.walk(src) for f in fs
               if f.endswith(('.h', '.cpp')))
edges, problems = {}, []
for f in files:
    edges[f] = []
    for line in open(os.path.join(src, f), encoding='utf-8'):
        m = re.match(r'\s*#\s*include\s*([<"])([^">]+)[">]', line)
        if not m:
            continue
        kind, target = m.groups()
        if kind == '<':
            if layer(f) == 0 and WINDOWS_HEADERS.match(os.path.basename(target)):
                problems.append(f'windows header in the core: {f} -> <{target}>')
            continue
        if target == 'build_config.h':  # generated settings of the build, no code
            continue
        if target not in files:
            problems.append(f'unknown include: {f} -> "{target}"')
            continue
        edges[f].append(target)

print(f'{len(files)} files, {sum(map(len, edges.values()))} include edges')
for f in files:
    if layer(f) is None:
        problems.append(f'no layer assigned: {f}')
for f in files:
    for t in edges[f]:
        lf, lt = layer(f), layer(t)
        if lf is not None and lt is not None and lt > lf:
            problems.append(f'upward: {f} ({LAYERS[lf]}) -> {t} ({LAYERS[lt]})')
        elif f.startswith('win/') and t.startswith(('app/', 'mainwindow/')):
            problems.append(f'win/ reaches into a feature folder: {f} -> {t}')

def cycles(graph):
    index, low, stack, on, out, n = {}, {}, [], set(), [], [0]
    def visit(v):
        index[v] = low[v] = n[0]; n[0] += 1; stack.append(v); on.add(v)
        for w in graph.get(v, ()):
            if w not in index:
                visit(w); low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            scc = []
            while True:
                w = stack.pop(); on.discard(w); scc.append(w)
                if w == v: break
            if len(scc) > 1 or v in graph.get(v, ()):
                out.append(sorted(scc))
    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return out

for scc in cycles(edges):
    problems.append('file cycle: ' + ' <-> '.join(scc))
units = {}
for f, ts in edges.items():
    units.setdefault(unit(f), set()).update(unit(t) for t in ts if unit(t) != unit(f))
for scc in cycles(units):
    problems.append('unit cycle (header with its source): ' + ' <-> '.join(scc))

for p in problems:
    print(p)
print('OK: no upward edge, no cycle' if not problems else f'{len(problems)} problem(s)')
sys.exit(1 if problems else 0)
