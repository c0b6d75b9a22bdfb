#!/usr/bin/python3
"""The window as a screen reader meets it, through AT-SPI.

Run by scripts/xvfb_atspi_test.sh with the program already started on its own
X server, session bus and accessibility bus. Walks the accessibility tree as
a screen reader's review does and checks the roles and names of the
controls; then, as a blind pupil would, picks Sin(X) with the arrow key,
types A = 2, k = 3, b = 1, C = 4 and the interval -5..5, presses ВЫБОР and
ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ through their actions, and checks what is
announced, the formula, and both pictures read line by line. Last it presses
ВЫХОД. Prints what it found; exits 1 at the first thing that is wrong.
"""

import re
import sys
import time
import warnings

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

CYRILLIC = re.compile('[\u0400-\u04ff]')
LATIN = re.compile('[A-Za-z]')


def fail(what):
    print('FAIL: ' + what, flush=True)
    sys.exit(1)


def pump(seconds):
    """Lets the events that arrived meanwhile reach their listeners."""
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(what, probe, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        pump(0.1)
    fail('no ' + what + ' within %d s' % seconds)


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == 'Viramont' and app.get_child_count() > 0:
            return app
    return None


def walk(node):
    """The tree in the order of a screen reader's review: depth first."""
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def text_of(node):
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def older(call, *args):
    """A call libatspi marks as deprecated: the one Qt 6.4 answers, and the
    one Orca makes."""
    with warnings.catch_warnings():
        warnings.simplefilter('ignore', DeprecationWarning)
        return call(*args)


def lines_of(node):
    """The text line by line, as a reader's line review asks for it."""
    lines, offset, count = [], 0, Atspi.Text.get_character_count(node)
    while offset < count:
        line = older(Atspi.Text.get_text_at_offset, node, offset, Atspi.TextBoundaryType.LINE_START)
        if line.end_offset <= offset:
            fail('the text of %r stops at offset %d' % (node.get_name(), offset))
        lines.append(line.content.rstrip('\n'))
        offset = line.end_offset
    return lines


def has_state(node, state):
    return node.get_state_set().contains(state)


def press(node):
    if 'Action' not in node.get_interfaces():
        fail('%r has no action' % node.get_name())
    names = [older(Atspi.Action.get_action_name, node, i) for i in range(Atspi.Action.get_n_actions(node))]
    if 'Press' not in names:
        fail('%r cannot be pressed: %s' % (node.get_name(), names))
    Atspi.Action.do_action(node, names.index('Press'))


def main():
    Atspi.init()
    app = wait_for('application Viramont on the accessibility bus', application, 60)

    # Announcements: a notification shown anew, named by what it says.
    heard = []

    def on_showing(event):
        source = event.source
        if event.detail1 == 1 and source is not None and source.get_role() == Atspi.Role.NOTIFICATION:
            heard.append(source.get_name())

    listener = Atspi.EventListener.new(on_showing)
    listener.register('object:state-changed:showing')
    # Listening to name changes keeps libatspi's copy of a name up to date.
    names_listener = Atspi.EventListener.new(lambda event: None)
    names_listener.register('object:property-change:accessible-name')
    pump(0.5)

    nodes = list(walk(app))
    by_role = {}
    for node in nodes:
        by_role.setdefault(node.get_role(), []).append(node)

    def one(role, name):
        found = [n for n in by_role.get(role, []) if n.get_name() == name]
        if len(found) != 1:
            fail('%d %s named %r, expected one; the tree holds %s' % (
                len(found), Atspi.role_get_name(role), name,
                [(n.get_role_name(), n.get_name()) for n in nodes]))
        return found[0]

    # Roles and names.
    combo = one(Atspi.Role.COMBO_BOX, 'ВЫБЕРИ ФУНКЦИЮ')
    entry = [n for n in walk(combo) if n.get_role() == Atspi.Role.TEXT]
    if not entry or text_of(entry[0]) != 'ФУНКЦИИ':
        fail('Combo1 does not show its text "ФУНКЦИИ" as its value')
    picture1 = one(Atspi.Role.IMAGE, 'Графики функций')
    picture2 = one(Atspi.Role.IMAGE, 'Легенда')
    for picture in (picture1, picture2):
        if 'Text' not in picture.get_interfaces():
            fail('%r has no text to read' % picture.get_name())
    text5 = one(Atspi.Role.TEXT, 'ФОРМУЛА ПРЕБРАЗОВАННОЙ ФУНКЦИИ')
    if not has_state(text5, Atspi.StateType.READ_ONLY) or has_state(text5, Atspi.StateType.EDITABLE):
        fail('Text5 is not read-only to screen readers')
    if 'EditableText' in text5.get_interfaces():
        fail('Text5 offers its text for editing')
    fields = {name: one(Atspi.Role.TEXT, name) for name in (
        'КОЭФ-Т СЖАТИЯ ПO ОСИ У', 'КОЭФ-Т СЖАТИЯ ПO ОСИ Х', 'СДВИГ ПО ОСИ Х', 'СДВИГ ПО ОСИ У',
        'начало отрезка', 'конец отрезка')}
    choose = one(Atspi.Role.PUSH_BUTTON, ' ВЫБОР ПАРАМЕТРОВ')
    plot = one(Atspi.Role.PUSH_BUTTON, ' ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ')
    leave = one(Atspi.Role.PUSH_BUTTON, 'ВЫХОД')
    if not by_role.get(Atspi.Role.NOTIFICATION):
        fail('the window has no notification to announce through')
    print('roles and names: combo box, two images with text, a read-only Text5, six fields, three buttons')

    # Sin(X) with the arrow key, the numbers typed.
    Atspi.Component.grab_focus(combo)
    wait_for('focus on Combo1', lambda: has_state(combo, Atspi.StateType.FOCUSED), 10)
    Atspi.generate_keyboard_event(0xff54, None, Atspi.KeySynthType.SYM)  # Down
    wait_for('Sin(X) picked', lambda: text_of(entry[0]) == 'Sin(X)', 10)
    typed = {'КОЭФ-Т СЖАТИЯ ПO ОСИ У': '2', 'КОЭФ-Т СЖАТИЯ ПO ОСИ Х': '3', 'СДВИГ ПО ОСИ Х': '1',
             'СДВИГ ПО ОСИ У': '4', 'начало отрезка': '-5', 'конец отрезка': '5'}
    for name, value in typed.items():
        Atspi.EditableText.set_text_contents(fields[name], value)
        if text_of(fields[name]) != value:
            fail('the field %r holds %r, not %r' % (name, text_of(fields[name]), value))

    press(choose)
    said = wait_for('announcement of the formula', lambda: [h for h in heard if h.startswith('Формула')])
    if said != ['Формула: y = 4+2Sin(3x+1).']:
        fail('ВЫБОР announced %r' % said)
    if text_of(text5) != '4+2Sin(3x+1)':
        fail('Text5 reads %r' % text_of(text5))
    print('announced: ' + said[0])

    press(plot)
    said = wait_for('announcement of the plot', lambda: [h for h in heard if h.startswith('Графики')])
    if said != ['Графики построены: синий y = Sin(x), красный y = 4+2Sin(3x+1).']:
        fail('the plot announced %r' % said)
    print('announced: ' + said[0])

    # Picture1: the graphs in words, line by line.
    lines = lines_of(picture1)
    if '\n'.join(lines) != text_of(picture1).rstrip('\n'):
        fail('the lines of Picture1 do not make up its text')
    expected = [
        'Отрезок от −5 до 5. Видно x от −6 слева до 6 справа',
        'Синий график — исходная функция y = Sin(x): построен от x = −5 до x = 5.',
        'Красный график — преобразованная функция y = 4+2Sin(3x+1): построен от x = −6 до x = 4.',
        'Пурпурная горизонтальная линия y = 4: сдвиг по оси y на 4 вверх.',
        'Голубая вертикальная линия x = −1: сдвиг по оси x на 1 влево.',
    ]
    if len(lines) != len(expected) or any(not line.startswith(start) for line, start in zip(lines, expected)):
        fail('Picture1 reads:\n' + '\n'.join(lines))
    if 'сжат по оси x в 3 раза и растянут по оси y в 2 раза' not in lines[2]:
        fail('Picture1 does not say how the red graph is squeezed and stretched: ' + lines[2])
    print('Picture1, %d lines:\n  ' % len(lines) + '\n  '.join(lines))

    # Picture2: the legend's lines, every word in one alphabet.
    legend = lines_of(picture2)
    for want in (' Синий - исходный', ' Красный - преобразованный', '       СМЕЩЕНИЕ', ' По оси X на 1 влево ',
                 ' По оси Y на 4 вверх '):
        if want not in legend:
            fail('the legend has no line %r: %r' % (want, legend))
    for line in legend:
        for word in re.findall(r'\w+', line):
            if CYRILLIC.search(word) and LATIN.search(word):
                fail('a word of the legend mixes Latin and Cyrillic letters: %r' % word)
    print('Picture2, %d lines, every word in one alphabet' % len(legend))

    # Picture1 walked by keys: Down says its first line, Right the first
    # step along x, both as the presses are announced.
    Atspi.Component.grab_focus(picture1)
    wait_for('focus on Picture1', lambda: has_state(picture1, Atspi.StateType.FOCUSED), 10)
    Atspi.generate_keyboard_event(0xff54, None, Atspi.KeySynthType.SYM)  # Down
    said = wait_for('the first line said', lambda: [h for h in heard if h.startswith('Отрезок')])
    if said != [lines[0]]:
        fail('Down on Picture1 said %r' % said)
    Atspi.generate_keyboard_event(0xff53, None, Atspi.KeySynthType.SYM)  # Right
    said = wait_for('the first step said', lambda: [h for h in heard if h.startswith('x = ')])
    # The first sound, where there is no sound device, says so once.
    no_sound = '( Звука нет: устройство вывода звука не найдено\\.)?'
    if len(said) != 1 or not re.fullmatch('x = −6: синего графика нет; красный 5[.,]92' + no_sound, said[0]):
        fail('Right on Picture1 said %r' % said)
    print('walked: ' + lines[0] + ' / ' + said[0])

    press(leave)
    listener.deregister('object:state-changed:showing')
    names_listener.deregister('object:property-change:accessible-name')
    print('PASS: the screen reader finds the roles, names, both pictures and the announcements', flush=True)


if __name__ == '__main__':
    main()
