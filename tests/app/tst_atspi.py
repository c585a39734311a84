#!/usr/bin/env python3
"""The real program through AT-SPI, in an X server it starts and a session bus of its own
(dbus-run-session tst_atspi.py ondel worksheet)."""
import contextlib
import os
import shutil
import subprocess
import sys
import tempfile
import time

ondel, worksheet = sys.argv[1], sys.argv[2]
home = tempfile.mkdtemp()
sheets = os.path.join(home, 'worksheets')
os.makedirs(sheets)
for name in ('Rivers 1.txt', 'Our Rivers.txt'):
    shutil.copy(worksheet, os.path.join(sheets, name))
with open(os.path.join(sheets, 'track.txt'), 'wb') as track:
    track.write(b' 1 \r\nOur Rivers\r\n')
# The X server picks a free display itself and names it, so X servers that other tests start
# at the same moment never take the same one.
ready, told = os.pipe()
xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(told), '-screen', '0', '1024x768x24',
                         '-nolisten', 'tcp'], pass_fds=(told,), stderr=subprocess.DEVNULL)
os.close(told)
with os.fdopen(ready) as display:
    number = display.readline().strip()
if not number:
    sys.exit('FAIL: Xvfb did not start')
os.environ.update(HOME=home, XDG_RUNTIME_DIR=home, DISPLAY=':' + number)
processes = [xvfb,
             subprocess.Popen(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'])]


def on_session_bus(name):
    asked = subprocess.run(['dbus-send', '--session', '--print-reply',
                            '--dest=org.freedesktop.DBus', '/org/freedesktop/DBus',
                            'org.freedesktop.DBus.NameHasOwner', 'string:' + name],
                           capture_output=True, check=False)
    return b'boolean true' in asked.stdout


# The program finds the accessibility bus as it starts; it must be there by then.
for _ in range(300):  # 30 s
    if on_session_bus('org.a11y.Bus'):
        break
    time.sleep(0.1)
program = subprocess.Popen([ondel, '--worksheets', sheets], env=dict(
    os.environ, QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
    PULSE_SERVER='unix:/nonexistent', CUPS_SERVER='/nonexistent'))
processes.append(program)
import pyatspi  # noqa: E402 (once the session bus is known)


def waited(what, look):
    for _ in range(300):  # 30 s
        with contextlib.suppress(Exception):  # an object went away while read: read again
            if found := look():
                return found
        time.sleep(0.1)
    raise AssertionError('waited in vain for ' + what)


def windows():
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a.get_process_id() == program.pid)
    return [w for w in app if w.getState().contains(pyatspi.STATE_SHOWING)]


def find(role, name, within=None):
    def match(a):
        return a is not None and a.getRoleName() == role and a.name == name \
            and a.getState().contains(pyatspi.STATE_SHOWING)
    return waited(f'{role} "{name}"', lambda: next(filter(None, (
        pyatspi.findDescendant(w, match) for w in ([within] if within else windows()))), None))


def window_of(acc):  # the top-level window that holds acc
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
    assert find('push button', 'Flooding').getState().contains(pyatspi.STATE_ENABLED)
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
    press('word: tributary')
    press('box 2 of 4, empty')
    find('push button', 'box 2 of 4, holding tributary')
    press('Exit', activity)
    press('Exit', topic)
    press('Multiple Choice Wizard')
    wizard = window_of(find('text', 'Question 6 answer C'))
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
    shutil.rmtree(home, ignore_errors=True)
print('FAIL: ' + failure if failure else 'PASS')
sys.exit(1 if failure else 0)
