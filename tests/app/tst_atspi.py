#!/usr/bin/env python3
"""The real program as a screen reader sees it through AT-SPI, on an X server, a session bus and
an accessibility bus of its own: title to quiz by press actions, an activity placed and scored,
the wizard's boxes and the catalogue's titles. Usage: tst_atspi.py <ondel> <worksheet>"""
import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile
import time

ondel, worksheet = sys.argv[1], sys.argv[2]
for tool in ('Xvfb', 'dbus-launch', '/usr/libexec/at-spi-bus-launcher'):
    if not shutil.which(tool) or not importlib.util.find_spec('pyatspi'):
        print(f'{tool} or python3-pyatspi is not installed (scripts/test installs them)')
        sys.exit(77)
home = tempfile.mkdtemp()
sheets = os.path.join(home, 'worksheets')
os.makedirs(sheets)
for name in ('Rivers 1.txt', 'Our Rivers.txt'):
    shutil.copy(worksheet, os.path.join(sheets, name))
with open(os.path.join(sheets, 'track.txt'), 'wb') as track:
    track.write(b' 1 \r\nOur Rivers\r\n')
xvfb = subprocess.Popen(['Xvfb', '-displayfd', '1', '-screen', '0', '1024x768x24', '-nolisten',
                         'tcp'], stdout=subprocess.PIPE)
os.environ.update(DISPLAY=':' + xvfb.stdout.readline().decode().strip(), HOME=home,
                  XDG_RUNTIME_DIR=home)
for line in subprocess.run(['dbus-launch', '--sh-syntax'], capture_output=True, text=True,
                           check=True).stdout.splitlines():
    if line.startswith(('DBUS_SESSION_BUS_ADDRESS=', 'DBUS_SESSION_BUS_PID=')):
        name, value = line.rstrip(';').split('=', 1)
        os.environ[name] = value.strip("'")
processes = [xvfb, subprocess.Popen(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'])]
program = subprocess.Popen([ondel, '--worksheets', sheets], env=dict(
    os.environ, QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
    PULSE_SERVER='unix:/nonexistent', CUPS_SERVER='/nonexistent'))
processes.append(program)
import pyatspi  # noqa: E402 (once the session bus is known)


def waited(what, look):
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        try:
            found = look()
            if found:
                return found
        except Exception:  # noqa: BLE001 (an object went away while read: read again)
            pass
        time.sleep(0.1)
    raise AssertionError('waited in vain for ' + what)


def tree(acc):
    yield acc
    for child in acc:
        if child is not None:
            yield from tree(child)


def windows():
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a.get_process_id() == program.pid)
    return [w for w in app if w.getState().contains(pyatspi.STATE_SHOWING)]


def find(role, name, within=None):
    """The object on show with this role and name, in a window on show or within one."""
    return waited(f'{role} "{name}"', lambda: next(
        a for w in ([within] if within else windows()) for a in tree(w)
        if a.getRoleName() == role and a.name == name
        and a.getState().contains(pyatspi.STATE_SHOWING)))


def window_of(acc):
    while acc.parent.getRoleName() != 'application':
        acc = acc.parent
    return acc


def press(name, within=None):
    actions = find('push button', name, within).queryAction()
    actions.doAction([actions.getName(i) for i in range(actions.nActions)].index('Press'))


failure = None
try:
    find('label', 'Ondel')
    press('OK')
    assert not find('push button', 'Flooding').getState().contains(pyatspi.STATE_ENABLED), \
        'a topic without screens is enabled'
    press('Rivers 1')
    press('Multiple Choice')
    group = find('panel', 'Question 1: Where does a river begin?')
    answers = [(a.getRoleName(), a.name) for a in group]
    assert answers == [('radio button', n) for n in (
        'At its mouth', 'At its source', 'In the sea', 'At a confluence')], answers
    press('Exit', window_of(group))
    topic = window_of(find('push button', 'Labelling Activity'))
    press('Labelling Activity')
    activity = window_of(find('push button', 'word: confluence'))
    for box, word in enumerate(['confluence', 'tributary', 'estuary', 'watershed']):
        press('word: ' + word)
        press(f'box {box + 1} of 4, empty')
        find('push button', f'box {box + 1} of 4, holding {word}')
    press('Check Score')
    results = waited('the score in a window\'s name', lambda: next(
        w for w in windows() if w.name.endswith('You have scored 4 out of 4.')))
    press('Exit', results)
    press('Exit', activity)
    press('Exit', topic)
    press('Multiple Choice Wizard')
    wizard = window_of(find('text', 'Question 6 answer C'))
    find('text', 'Question 6 answer C', wizard)
    find('check box', 'Question 6 answer C is correct', wizard)
    press('Exit', wizard)
    press('Worksheet Catalogue')
    press('Exit', window_of(find('push button', 'Our Rivers')))
    find('push button', 'Rivers 1')
except Exception as error:  # noqa: BLE001 (reported after the cleanup)
    failure = f'{type(error).__name__}: {error}'
finally:
    for process in reversed(processes):
        process.terminate()
        process.wait()
    os.kill(int(os.environ['DBUS_SESSION_BUS_PID']), 9)
    shutil.rmtree(home, ignore_errors=True)
print('FAIL: ' + failure if failure else 'PASS')
sys.exit(1 if failure else 0)
