#!/usr/bin/python3
"""The program as a screen reader meets it, read through AT-SPI.

Started by atspi.sh on a private X server and session bus. Checks every
dialog in front (main menu, imprint, help, grape varieties, search form,
the capping message, results and the entry's tabs, the bookmark question):
nothing of a covered dialog, one object per control, the roles and states a
reader relies on. Presses the footer links through the action interface,
opens and closes 200 dialogs, changes a list a reader holds an item of, and
walks the search journey with the keyboard alone, printing where the
accessible focus goes and what a reader announces. Exits non-zero at the
first fault."""

import argparse
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

STEP_LIMIT = 10  # seconds any one step may take

MENU = 'Vinaria - Weinführer'
FORM = 'Vinaria Weinsuche'
RESULTS = 'Vinaria - Suchergebnis'
HELP = 'Vinaria - Hilfe'
VARIETIES = 'Rebsorten'
IMPRINT = 'Impressum'

# Roles that stand for one control each; two of them with the same name in
# one dialog are one control shown twice.
CONTROL_ROLES = {'push button', 'check box', 'link', 'combo box', 'text', 'label', 'scroll bar',
                 'page tab list', 'tree', 'tree table', 'list', 'graphic', 'toggle button'}
# Roles a reader needs a name for.
NAMED_ROLES = {'push button', 'check box', 'link', 'combo box', 'page tab', 'dialog', 'alert', 'scroll bar', 'text'}
# Roles of the items inside lists and trees: their names may repeat.
ITEM_ROLES = {'list item', 'tree item', 'table cell', 'page tab', 'menu item'}
# Objects a reader would meet as noise.
NOISE_ROLES = {'filler', 'unknown', 'invalid', 'redundant object'}


class Fault(Exception):
    pass


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def role(obj):
    return obj.getRoleName()


def states(obj):
    state = obj.getState()
    return {pyatspi.stateToString(s) for s in state.getStates()}


def text_of(obj):
    try:
        text = obj.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return ''


def one_line(text, limit=70):
    text = ' '.join(text.split())
    return text if len(text) <= limit else text[:limit] + '...'


def describe(obj):
    shown = [s for s in ('checked', 'expanded', 'collapsed', 'selected') if s in states(obj)]
    line = f"{role(obj)} '{obj.name}'"
    return line + (f" [{', '.join(shown)}]" if shown else '')


# Objects whose children are rows of data or parts of the control itself
# (a drop-down's list, a long text's view and scroll bars).
LEAF_ROLES = ITEM_ROLES | {'text', 'combo box', 'list'}


def walk(obj, depth=0):
    """Every object under obj (obj first), the children of LEAF_ROLES left out."""
    yield depth, obj
    if role(obj) in LEAF_ROLES:
        return
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


class Program:
    def __init__(self, path, log):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', VINARIA_NO_ZOOM='1')
        env.pop('QT_QPA_PLATFORM', None)
        self.log_path = log
        self.start(path, env)
        self.events = []
        self.focus = None
        self.focus_events = []
        self.history = []
        self.showing_read = True
        pyatspi.Registry.registerEventListener(self.on_event, 'object:state-changed:focused',
                                               'object:state-changed:showing')
        self.app = self.wait(self.find_app, 'the program on the accessibility bus')
        self.wait(lambda: self.front_name() == MENU, 'the main menu')
        found = subprocess.run(['xdotool', 'search', '--sync', '--limit', '1', '--name', '^' + MENU + '$'],
                               capture_output=True, text=True, timeout=STEP_LIMIT)
        if not found.stdout.split():
            raise Fault('no main window on the X server')
        self.window_id = found.stdout.split()[0]
        subprocess.run(['xdotool', 'windowfocus', '--sync', self.window_id], timeout=STEP_LIMIT)

    def start(self, path, env):
        """Starts the program; once more when it could not reach the X
        server, which a busy machine's other X servers have been seen to
        cause."""
        for attempt in range(2):
            with open(self.log_path, 'w') as log:
                self.process = subprocess.Popen([path], env=env, stdout=log, stderr=subprocess.STDOUT)
            try:
                self.process.wait(timeout=1)
            except subprocess.TimeoutExpired:
                return
            if attempt == 0 and 'could not connect to display' in open(self.log_path).read():
                print('atspi: the program could not reach the X server; starting it once more', file=sys.stderr)
                continue
            return

    def on_event(self, event):
        if event.detail1 != 1:
            return
        kind = 'focus' if event.type.endswith('focused') else 'showing'
        try:
            text = describe(event.source) if kind == 'focus' or self.showing_read else ''
        except Exception:  # the object went while the event travelled
            text = '(gone)'
        self.events.append((kind, event.source, text))
        self.history.append(f'{kind} {text}')
        if kind == 'focus':
            self.focus = event.source
            self.focus_events.append(text)

    def read_showing(self, read):
        """Whether objects that come on the screen are read at once: a reader
        does, but it slows a long run of dialogs down."""
        self.showing_read = read

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == 'Vinaria':
                return app
        return None

    def settle(self, quiet=0.1, limit=3):
        """Pumps events until none has come for a moment: the focus has
        stopped moving."""
        end = time.monotonic() + limit
        seen, since = len(self.history), time.monotonic()
        while time.monotonic() < end:
            pump()
            if len(self.history) != seen:
                seen, since = len(self.history), time.monotonic()
            elif time.monotonic() - since >= quiet:
                return
            time.sleep(0.02)

    def alive(self):
        return self.process.poll() is None

    def wait(self, condition, what, limit=STEP_LIMIT):
        """Polls condition until it gives a true value, within the limit."""
        end = time.monotonic() + limit
        while True:
            pump()
            try:
                result = condition()
            except GLib.Error:
                result = None  # an object went away under the reader
            if result:
                return result
            if not self.alive():
                raise Fault(f'the program ended (status {self.process.returncode}) waiting for {what}')
            if time.monotonic() > end:
                raise Fault(f'timed out waiting for {what}')
            time.sleep(0.005)

    # -- the tree

    def window(self):
        self.app.clear_cache()
        frames = [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]
        frames = [f for f in frames if f is not None and role(f) == 'frame']
        if len(frames) != 1:
            raise Fault(f'expected one window, found {len(frames)}')
        return frames[0]

    def front(self):
        window = self.window()
        fronts = [window.getChildAtIndex(i) for i in range(window.childCount)]
        fronts = [f for f in fronts if f is not None and role(f) in ('dialog', 'alert')]
        if len(fronts) != 1:
            raise Fault(f'expected one dialog in front, found {[describe(f) for f in fronts]}')
        return fronts[0]

    def front_name(self):
        try:
            return self.front().name
        except Fault:
            return None

    def find(self, obj_role, name, root=None):
        root = root or self.front()
        found = [o for _, o in walk(root) if role(o) == obj_role and o.name == name]
        if len(found) != 1:
            raise Fault(f"expected one {obj_role} '{name}' in '{root.name}', found {len(found)}")
        return found[0]

    def press(self, obj, action='Press'):
        actions = obj.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if action not in names:
            raise Fault(f'{describe(obj)} offers no {action} action, only {names}')
        actions.doAction(names.index(action))

    def keys(self, *keys, delay=40):
        self.history.append(f'keys {" ".join(keys)}')
        subprocess.run(['xdotool', 'key', '--clearmodifiers', '--delay', str(delay), *keys], check=True,
                       timeout=STEP_LIMIT + len(keys))

    def type(self, text):
        subprocess.run(['xdotool', 'type', '--delay', '30', text], check=True, timeout=STEP_LIMIT)

    def open_front(self, name, act):
        act()
        return self.wait(lambda: self.front_name() == name and self.front(), f"'{name}' in front")

    def end(self):
        if self.alive():
            self.process.terminate()
            try:
                self.process.wait(timeout=STEP_LIMIT)
            except subprocess.TimeoutExpired:
                self.process.kill()


def pairs(root):
    """(role, name) of every control under root, items left out."""
    return {(role(o), o.name) for d, o in walk(root) if d > 0 and role(o) not in ITEM_ROLES and o.name}


def check_front(program, name, covered=None):
    """The front dialog is the only one, clean, and shows nothing of covered."""
    front = program.front()
    if front.name != name:
        raise Fault(f"expected '{name}' in front, found '{front.name}'")
    window = program.window()
    seen = {}
    for _, obj in walk(window):
        obj_role = role(obj)
        if obj_role in NOISE_ROLES:
            raise Fault(f"'{name}': a {obj_role} '{obj.name}' in the tree")
        if obj_role in NAMED_ROLES and not obj.name.strip():
            raise Fault(f"'{name}': an unnamed {obj_role}")
        if obj_role in CONTROL_ROLES and obj.name:
            key = (obj_role, obj.name)
            if key in seen:
                raise Fault(f"'{name}': {obj_role} '{obj.name}' is there twice")
            seen[key] = obj
    buttons = {n for r, n in seen if r == 'push button'}
    boxes = {n for r, n in seen if r == 'check box'}
    if buttons & boxes:
        raise Fault(f"'{name}': push buttons named like check boxes: {sorted(buttons & boxes)}")
    if covered:
        left = covered & pairs(front)
        if left:
            raise Fault(f"'{name}': objects of the covered dialog: {sorted(left)}")
    return front


class Announcer:
    """Prints the accessible focus and what a reader announces with it."""

    def __init__(self, program):
        self.program = program
        self.dialog = None
        self.lines = []

    def say(self, line):
        self.lines.append(line)
        print(line, flush=True)

    def flush(self):
        for kind, obj, text in self.program.events:
            if text == '(gone)':
                continue
            if kind == 'showing':
                try:
                    if role(obj) == 'alert':
                        self.say(f"  alert '{obj.name}': {' '.join(self.texts(obj))}")
                except GLib.Error:
                    pass
                continue
            try:
                if role(obj) == 'page tab list':
                    chosen = [obj.getChildAtIndex(i) for i in range(obj.childCount)]
                    chosen = [t for t in chosen if t is not None and 'selected' in states(t)]
                    text = f"{text} tab '{chosen[0].name}'" if chosen else text
                container = container_of(obj)
                where = describe(container) if container is not None else ''
                if where != self.dialog and role(obj) not in ('dialog', 'alert'):
                    self.say(f'  in {where}')
                self.dialog = where if role(obj) not in ('dialog', 'alert') else describe(obj)
                extra = ''
                if role(obj) == 'text' and text_of(obj):
                    extra = f" reads '{one_line(text_of(obj))}'"
                self.say(f'  focus {text}{extra}')
            except GLib.Error:
                self.say(f'  focus {text} (gone)')
        self.program.events.clear()

    def texts(self, alert):
        return [o.name for _, o in walk(alert) if role(o) == 'label' and o.name]

    def expect(self, what, check):
        """Waits for a focus event that check accepts, printing every event.
        On a busy machine the bus has been seen to lose a focus event, so
        now and then the focused object in front is looked at as well."""
        now_and_then = every(100)

        def arrived():
            hit = any(kind == 'focus' and safe(check, obj) for kind, obj, _ in self.program.events)
            if hit or (now_and_then() and safe(check, focused_in_front(self.program))):
                self.flush()
                return True
            return False
        return self.program.wait(arrived, what)


def every(n):
    """A function that is true on every n-th call."""
    calls = [0]

    def tick():
        calls[0] += 1
        return calls[0] % n == 0
    return tick


def focused_in_front(program):
    """The object in the dialog in front whose state says it has the focus."""
    try:
        front = program.front()
    except Fault:
        return None  # a dialog coming or going
    for _, obj in walk(front):
        if 'focused' in states(obj):
            return obj
    return None


def focus_is(obj_role, name=None):
    def check(obj):
        return role(obj) == obj_role and (name is None or obj.name == name)
    return check


def step(announcer, title, keys, what, check):
    announcer.say(f'{title}  [{" ".join(keys)}]')
    announcer.program.keys(*keys)
    announcer.expect(what, check)


def tab_until(program, check, what, key='Tab'):
    """Presses Tab (or Shift+Tab) until the focus is where check wants it;
    returns how many presses it took."""
    program.settle()
    presses = 0
    while not safe(check, program.focus):
        if presses == 12:
            raise Fault(f'{key} never reached {what}')
        seen = len(program.focus_events)
        before = program.focus
        program.keys(key)
        presses += 1
        now_and_then = every(100)

        def moved():
            if len(program.focus_events) > seen:
                return True
            if not now_and_then():
                return False
            # The bus lost the focus event: the state still tells.
            now = focused_in_front(program)
            if now is not None and now != before:
                program.focus = now
                return True
            return False
        program.wait(moved, f'the focus to move towards {what}')
        program.settle()
    return presses


def tab_step(announcer, title, what, check, key='Tab'):
    announcer.program.settle()
    announcer.flush()
    presses = tab_until(announcer.program, check, what, key)
    announcer.say(f'{title}  [{key} x{presses}]')
    announcer.flush()


def safe(check, obj):
    try:
        return obj is not None and check(obj)
    except GLib.Error:
        return False  # the object has gone


# ---------------------------------------------------------------- checks

def check_main_menu(program):
    menu = check_front(program, MENU)
    shown = [describe(o) for d, o in walk(menu) if d == 1]
    expected = ["label 'VINARIA Weinführer'", "push button 'Weine von A - Z'", "push button 'Rebsorten'",
                "push button 'Die richtige Temperatur'", "push button 'Lesezeichen'", "link 'Ratgeber'",
                "link 'Impressum'", "link 'Hilfe'"]
    if shown != expected:
        raise Fault(f'main menu: expected {expected}, found {shown}')
    program.find('push button', 'Tastatur', program.window())
    return pairs(menu)


def back_to(program, name):
    program.keys('Escape')
    program.wait(lambda: program.front_name() == name, f"'{name}' after Esc")


def check_links_and_chapters(program, menu):
    imprint = program.open_front(IMPRINT, lambda: program.press(program.find('link', 'Impressum')))
    check_front(program, IMPRINT, menu)
    back_to(program, MENU)

    help_menu = program.open_front(HELP, lambda: program.press(program.find('link', 'Hilfe')))
    check_front(program, HELP, menu)
    help_buttons = pairs(help_menu)
    program.open_front(HELP, lambda: program.press(program.find('push button', 'Hilfe für Weine von A - Z')))
    program.wait(lambda: ('push button', 'Hilfe zu Rebsorten') not in pairs(program.front()), 'the help page')
    page = check_front(program, HELP, help_buttons)
    if not any(role(o) == 'list' for _, o in walk(page)):
        raise Fault('the help page shows no list')
    back_to(program, HELP)
    back_to(program, MENU)

    program.press(program.find('link', 'Ratgeber'))
    program.wait(lambda: os.path.exists(program.browser_log) and 'ratgeber/0100.htm' in open(program.browser_log).read(),
                 'the Ratgeber in the browser')

    varieties = program.open_front(VARIETIES, lambda: program.press(program.find('push button', 'Rebsorten')))
    check_front(program, VARIETIES, menu)
    for name in ('ROTWEIN:', 'WEISSWEIN'):
        program.find('combo box', name, varieties)
    back_to(program, MENU)
    del imprint


SEARCH_BOXES = ['Volltextsuche aktivieren', 'Rot', 'Rosè', 'Weiß', 'Braun', 'Trocken', 'Süß', 'Lieblich',
                'Schäumend', 'bes.gut']


def check_search_form(program, menu):
    form = program.open_front(FORM, lambda: program.press(program.find('push button', 'Weine von A - Z')))
    check_front(program, FORM, menu)
    for name in SEARCH_BOXES:
        program.find('check box', name, form)
    program.find('combo box', 'Land:', form)
    program.find('combo box', 'Region:', form)
    program.find('text', 'Suchbegriff:', form)
    program.find('push button', 'Suche starten', form)
    program.find('scroll bar', 'Qualität:', form)
    check_keyboard(program)
    red = program.find('check box', 'Rot', form)
    program.press(red, 'Toggle')
    program.wait(lambda: 'checked' in states(program.find('check box', 'Rot')), "'Rot' checked")
    return form


KEY_NAMES = ['a', 'ß', 'Umschalt', 'Rücktaste', 'Leerzeichen', 'Eingabe', 'Symbole', 'Akzente']


def keyboard_of(program):
    window = program.window()
    panels = [window.getChildAtIndex(i) for i in range(window.childCount)]
    panels = [p for p in panels if p is not None and role(p) == 'panel' and p.name == 'Tastatur']
    return panels[0] if panels else None


def check_keyboard(program):
    """The on-screen keyboard is in the tree while it is up, its keys named
    by what they type or do."""
    button = program.find('push button', 'Tastatur', program.window())
    if keyboard_of(program) is None:
        program.press(button)
    keyboard = program.wait(lambda: keyboard_of(program), 'the on-screen keyboard in the tree')
    keys = [keyboard.getChildAtIndex(i).name for i in range(keyboard.childCount)]
    missing = [k for k in KEY_NAMES if k not in keys]
    if missing:
        raise Fault(f'keys not named {missing}: {keys}')
    if len(keys) != 4 * 12 + 4:
        raise Fault(f'expected the 52 keys of one layer, found {len(keys)}')
    program.press(program.find('push button', 'Umschalt', keyboard))
    program.wait(lambda: 'A' in [keyboard_of(program).getChildAtIndex(i).name
                                 for i in range(keyboard_of(program).childCount)], "'a' named 'A' after Umschalt")
    program.press(program.find('push button', 'Umschalt', keyboard_of(program)))
    program.press(button)
    program.wait(lambda: keyboard_of(program) is None, 'the keyboard gone from the tree')


def check_list_change(program):
    """A reader holds a region while the country changes the region list."""
    regions = program.find('combo box', 'Region:').getChildAtIndex(0)
    held = [regions.getChildAtIndex(i) for i in range(1, min(4, regions.childCount))]
    if not held:
        raise Fault('the region list shows no region')
    program.press(program.find('text', 'Suchbegriff:'), 'SetFocus')
    program.wait(lambda: 'focused' in states(program.find('text', 'Suchbegriff:')), "the focus on the keyword")
    program.keys('Tab')
    program.wait(lambda: 'focused' in states(program.find('combo box', 'Land:')), "the focus on 'Land:'")
    program.keys('Down', 'Up')
    for obj in held:
        try:
            obj.clear_cache()
            describe(obj)
        except GLib.Error:
            pass  # gone, as it should be
    if not program.alive():
        raise Fault('the program ended when the region list changed')
    program.find('combo box', 'Region:')


def check_capped_results(program, form_pairs):
    program.press(program.find('push button', 'Suche starten'))
    alert = program.wait(lambda: program.front_name() == 'Meldung' and program.front(), "the 'Meldung' alert")
    if role(alert) != 'alert':
        raise Fault(f"'Meldung' is a {role(alert)}, not an alert")
    check_front(program, 'Meldung', form_pairs)
    texts = ' '.join(o.name for _, o in walk(alert) if role(o) == 'label')
    if '80' not in texts:
        raise Fault(f"the message's text is not readable: {texts!r}")
    ok = program.find('push button', 'OK', alert)
    program.wait(lambda: 'focused' in states(program.find('push button', 'OK', program.front())),
                 "the focus on the message's OK")
    if not any(kind == 'showing' and role(obj) == 'alert' for kind, obj, _ in program.events):
        raise Fault('no event told a reader that the message came up')
    del ok
    program.keys('Return')
    results = program.wait(lambda: program.front_name() == RESULTS and program.front(), 'the results')
    focus_in(program, RESULTS)
    check_front(program, RESULTS, form_pairs)
    return results


def container_of(obj):
    while obj is not None and role(obj) not in ('dialog', 'alert', 'frame', 'application'):
        obj = obj.parent
    return obj


def focus_in(program, name):
    """Waits until the accessible focus is inside the dialog or alert name."""
    def inside():
        return program.focus is not None and getattr(container_of(program.focus), 'name', None) == name
    program.wait(inside, f"the focus in '{name}'")
    program.settle()


def tree_of(program):
    trees = [o for _, o in walk(program.front()) if role(o) in ('tree', 'tree table')]
    if len(trees) != 1:
        raise Fault(f'expected one tree in the results, found {len(trees)}')
    return trees[0]


def items_of(tree):
    return [o for _, o in walk(tree) if role(o) in ('tree item', 'table cell')]


def check_results(program):
    tree = tree_of(program)
    items = items_of(tree)
    if not items:
        raise Fault('the results tree shows no item')
    nodes = [o for o in items if 'expandable' in states(o)]
    if not nodes:
        raise Fault('no item of the results tree can be expanded')
    for node in nodes:
        st = states(node)
        if 'expanded' in st and 'collapsed' in st:
            raise Fault(f"'{node.name}' is expanded and collapsed at once")
    # The first colour opens and closes with the arrows, and the item with
    # the keyboard's focus is the selected one.
    first = nodes[0].name
    node = lambda: [o for o in items_of(tree_of(program)) if o.name == first][0]
    tab_until(program, lambda o: role(o) in ('tree', 'tree item', 'table cell'), 'the tree')
    if 'expanded' in states(node()):
        raise Fault(f"'{first}' is said to be expanded while it is closed")
    program.keys('Right')
    program.wait(lambda: 'expanded' in states(node()) and 'collapsed' not in states(node()), f"'{first}' expanded")
    program.keys('Down')
    program.wait(lambda: any('selected' in states(o) and 'expandable' not in states(o)
                             for o in items_of(tree_of(program))), 'a wine selected')
    program.keys('Home')
    program.wait(lambda: 'selected' in states(node()), f"'{first}' selected")
    program.keys('Left')
    program.wait(lambda: 'expanded' not in states(node()), f"'{first}' closed again")
    tabs = [o for _, o in walk(program.front()) if role(o) == 'page tab']
    names = [t.name for t in tabs]
    if names != ['Info', 'Jahrgänge', 'Notiz / Lesezeichen']:
        raise Fault(f'expected the three tabs, found {names}')
    chosen = [t.name for t in tabs if 'selected' in states(t)]
    if chosen != ['Info']:
        raise Fault(f"expected 'Info' chosen, found {chosen}")
    if any(role(o) == 'page tab list' for _, o in walk(program.front())) is False:
        raise Fault('the tabs are not a page tab list')
    return items[0]


def check_held_item_after_new_search(program, held, form_pairs):
    back_to(program, FORM)
    program.press(program.find('push button', 'Suche starten'))
    program.wait(lambda: program.front_name() == 'Meldung', "the 'Meldung' alert once more")
    try:
        held.clear_cache()
        describe(held)
    except GLib.Error:
        pass  # the item went with its dialog
    program.keys('Return')
    program.wait(lambda: program.front_name() == RESULTS, 'the results once more')
    check_front(program, RESULTS, form_pairs)


def open_and_close_many(program, menu, count=200):
    """Opens and closes dialogs from the menu with Enter and Esc, each time
    waiting for the focus to come back to the row or link, and finds the
    menu's tree as it was."""
    # A chapter with lists from the guide, and the two lighter dialogs.
    stops = [('push button', 'Rebsorten', count // 10), ('link', 'Impressum', count * 9 // 20),
             ('link', 'Hilfe', count - count // 10 - count * 9 // 20)]
    program.read_showing(False)
    for obj_role, name, share in stops:
        program.press(program.find(obj_role, name), 'SetFocus')
        home = f"{obj_role} '{name}'"
        program.wait(lambda: program.focus_events and program.focus_events[-1] == home, f'the focus on {home}')
        for done in range(share):
            seen = len(program.focus_events)
            program.keys('Return', 'Escape', delay=5)
            program.wait(lambda: len(program.focus_events) > seen + 1 and program.focus_events[-1] == home,
                         f'the focus back on {home} after {done + 1} dialogs')
    program.read_showing(True)
    program.wait(lambda: program.front_name() == MENU and pairs(program.front()) == menu,
                 f'the tree as it was before the {count} dialogs')
    check_main_menu(program)


# ---------------------------------------------------------------- the walk

def keyboard_walk(program):
    a = Announcer(program)
    program.events.clear()
    a.say('Keyboard walk: menu, search form, results, an entry, a bookmark saved and found again')
    a.say('menu')
    step(a, ' Tab to the first row', ['Tab'], "the focus on 'Weine von A - Z'",
         focus_is('push button', 'Weine von A - Z'))
    step(a, ' Enter opens the search form', ['Return'], 'the search form', focus_is('dialog', FORM))
    a.say('search form')
    tab_step(a, ' Tab to the keyword', "the focus on 'Suchbegriff:'", focus_is('text', 'Suchbegriff:'))
    a.say(' type "Riesling"')
    program.type('Riesling')
    tab_step(a, ' Shift+Tab to the start button', "the focus on 'Suche starten'",
             focus_is('push button', 'Suche starten'), 'shift+Tab')
    step(a, ' Enter searches', ['Return'], 'the results', focus_is('dialog', RESULTS))
    a.say('results')
    tab_step(a, ' Tab to the tree', 'the focus in the tree',
             lambda o: role(o) in ('tree', 'tree table', 'tree item', 'table cell'))
    step(a, ' Home, Right, Down to the first wine', ['Home', 'Right', 'Down'], 'the focus on a wine',
         lambda o: role(o) in ('tree item', 'table cell') and 'expandable' not in states(o))
    program.settle()
    a.flush()
    header = [o.name for _, o in walk(program.front()) if role(o) == 'label']
    if not header:
        raise Fault("the entry's header line is not in the tree")
    a.say(f"  entry shown: label '{header[0]}'")
    a.say('entry')
    tab_step(a, ' Tab to the entry text', 'the focus on the entry text', focus_is('text'))
    tab_step(a, ' Tab to the tabs', 'the focus on the tabs', lambda o: role(o) in ('page tab', 'page tab list'))
    step(a, ' Right, Right to "Notiz / Lesezeichen"', ['Right', 'Right'], 'the note tab',
         lambda o: role(o) in ('page tab', 'page tab list') and 'Notiz' in o.name)
    tab_step(a, ' Shift+Tab to the bookmark box', "the focus on 'Lesezeichen setzen'",
             focus_is('check box', 'Lesezeichen setzen'), 'shift+Tab')
    a.say(' Space ticks it')
    program.keys('space')
    program.wait(lambda: 'checked' in states(program.find('check box', 'Lesezeichen setzen')), 'the box ticked')
    a.say(f"  {describe(program.find('check box', 'Lesezeichen setzen'))}")
    tab_step(a, ' Shift+Tab to the note', 'the focus on the note',
             lambda o: role(o) == 'text' and not text_of(o), 'shift+Tab')
    a.say(' type "Zum Spargel"')
    program.type('Zum Spargel')
    tab_step(a, ' Tab to "Speichern"', "the focus on 'Speichern'", focus_is('push button', 'Speichern'))
    step(a, ' Enter saves', ['Return'], "the focus on the message's OK", focus_is('push button', 'OK'))
    step(a, ' Enter closes the message', ['Return'], "the focus back on 'Speichern'",
         focus_is('push button', 'Speichern'))
    a.say('saved bookmark')
    a.say(' Esc, Esc back to the menu  [Escape Escape]')
    program.keys('Escape', 'Escape')
    program.wait(lambda: program.front_name() == MENU, 'the menu')
    program.settle()
    a.flush()
    tab_step(a, ' Tab to "Lesezeichen"', "the focus on 'Lesezeichen'", focus_is('push button', 'Lesezeichen'))
    step(a, ' Enter opens the bookmark list', ['Return'], 'the bookmark list', focus_is('dialog', RESULTS))
    tab_step(a, ' Tab to the tree', 'the focus in the tree',
             lambda o: role(o) in ('tree', 'tree table', 'tree item', 'table cell'))
    step(a, ' Home, Right, Down to the bookmark', ['Home', 'Right', 'Down'], 'the bookmark',
         lambda o: role(o) in ('tree item', 'table cell') and 'riesling' in o.name.lower())
    tab_step(a, ' Tab to the tabs', 'the focus on the tabs', lambda o: role(o) in ('page tab', 'page tab list'))
    step(a, ' Right, Right to "Notiz / Lesezeichen"', ['Right', 'Right'], 'the note tab',
         lambda o: role(o) in ('page tab', 'page tab list') and 'Notiz' in o.name)
    tab_step(a, ' Shift+Tab to the note', 'the note', lambda o: role(o) == 'text' and 'Zum Spargel' in text_of(o),
             'shift+Tab')
    tab_step(a, ' Tab to "Lesezeichen löschen"', "the focus on 'Lesezeichen löschen'",
             focus_is('check box', 'Lesezeichen löschen'))
    step(a, ' Space unticks it: the question', ['space'], "the question's focus",
         lambda o: role(o) == 'push button' and o.name in ('Ja', 'Nein'))
    question = check_front(program, 'FRAGE')
    if role(question) != 'alert' or 'Soll das Lesezeichen gelöscht werden?' not in ' '.join(a.texts(question)):
        raise Fault(f'the question is not an alert with its text: {describe(question)} {a.texts(question)}')
    program.find('push button', 'Ja', question)
    program.find('push button', 'Nein', question)
    step(a, ' Esc answers No', ['Escape'], "the focus back on 'Lesezeichen löschen'",
         focus_is('check box', 'Lesezeichen löschen'))
    step(a, ' Esc back to the menu', ['Escape'], 'the menu',
         lambda o: program.front_name() == MENU)
    a.flush()
    return a.lines


def end_with_escape(program):
    """Esc on the menu ends the program, and it ends cleanly."""
    program.keys('Escape')
    end = time.monotonic() + STEP_LIMIT
    while program.alive() and time.monotonic() < end:
        pump()
        time.sleep(0.02)
    if program.alive():
        raise Fault('Esc on the main menu did not end the program')
    if program.process.returncode != 0:
        raise Fault(f'the program ended with status {program.process.returncode}')


class Timer:
    def __init__(self):
        self.spent = []

    def __call__(self, name, function, *args):
        start = time.monotonic()
        result = function(*args)
        self.spent.append(f'{name} {time.monotonic() - start:.1f} s')
        return result

    def report(self):
        return ', '.join(self.spent)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--program', required=True)
    parser.add_argument('--browser-log', required=True)
    parser.add_argument('--log', required=True)
    args = parser.parse_args()
    start = time.monotonic()
    program = None
    try:
        program = Program(args.program, args.log)
        program.browser_log = args.browser_log
        timed = Timer()
        menu = timed('main menu', check_main_menu, program)
        timed('keyboard walk', keyboard_walk, program)
        timed('links and chapters', check_links_and_chapters, program, menu)
        form_pairs = pairs(timed('search form', check_search_form, program, menu))
        timed('a changed list', check_list_change, program)
        program.events.clear()
        timed('capped results', check_capped_results, program, form_pairs)
        held = timed('results', check_results, program)
        timed('a held item', check_held_item_after_new_search, program, held, form_pairs)
        back_to(program, FORM)
        back_to(program, MENU)
        timed('200 dialogs', open_and_close_many, program, menu)
        timed('the end', end_with_escape, program)
        print('phases:', timed.report())
    except (Fault, GLib.Error) as fault:
        print(f'FAIL: {fault}', file=sys.stderr)
        if program is not None and program.alive():
            try:
                for depth, obj in walk(program.window()):
                    st = sorted(states(obj) & {'focused', 'selected', 'expanded', 'checked', 'showing'})
                    print('  ' * depth + describe(obj), st, file=sys.stderr)
            except (Fault, GLib.Error):
                pass
            print('last events:', *program.history[-25:], sep='\n  ', file=sys.stderr)
        if program is not None:
            program.end()
        if os.path.exists(args.log):
            print(open(args.log).read(), file=sys.stderr)
        return 1
    program.end()
    print(f'atspi: the tree of every dialog checked, 200 dialogs opened and closed, '
          f'the keyboard walk done in {time.monotonic() - start:.0f} s')
    return 0


if __name__ == '__main__':
    sys.exit(main())
