#!/usr/bin/python3
"""browser.py SITE RUNNER SAVEGEN: the page of make web in headless Chromium (chromium-driver and
Selenium), served on 127.0.0.1, in a 1920 x 1080 window. What the canvas shows is compared with
what the runner (RUNNER, the web build's under node) draws for the same moves: the pictures must
agree, the text may differ by the glyphs (the page draws them with the browser's canvas)."""
import base64
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.common.exceptions import NoAlertPresentException

SITE, RUNNER, SAVEGEN = (os.path.abspath(a) for a in sys.argv[1:4])
W, H, MENU = 600, 443, 19
SAVE_BYTES = 11236
# A save with money, a day count and tackle: the bait equipped is the second of two.
CRAFTED = 'money=12345 dayCount=7 equipped=0,1,1,1,1,2,0 owned=15,23,32,42,53,54'
failures = []


def check(what, ok):
    print(('PASS: ' if ok else 'FAIL: ') + what)
    if not ok:
        failures.append(what)


def wait_for(what, condition, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            check(what, True)
            return value
        time.sleep(0.05)
    check(what, False)
    if hasattr(condition, 'last'):
        print(f'  the page and the runner agree on {condition.last:.1%} of the pixels: {work}/page.ppm, runner.ppm')
    raise SystemExit(finish())


def png_rgb(data):
    """The pixels of an 8-bit RGB or RGBA PNG, as (width, height, bytes of RGB)."""
    pos, chunks = 8, {}
    while pos < len(data):
        length = int.from_bytes(data[pos:pos + 4], 'big')
        kind = data[pos + 4:pos + 8]
        chunks[kind] = chunks.get(kind, b'') + data[pos + 8:pos + 8 + length]
        pos += 12 + length
    width, height = int.from_bytes(chunks[b'IHDR'][0:4], 'big'), int.from_bytes(chunks[b'IHDR'][4:8], 'big')
    channels = 4 if chunks[b'IHDR'][9] == 6 else 3
    raw, stride = zlib.decompress(chunks[b'IDAT']), width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up, corner = previous[i], previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(bytes(line) if channels == 3 else bytes(b for i, b in enumerate(line) if i % 4 != 3))
        previous = line
    return width, height, b''.join(rows)


def runner_shot(script, save='', folder=''):
    """The screen the runner shows after script, as RGB bytes (folder: a folder made first)."""
    with tempfile.TemporaryDirectory() as work:
        if folder:
            os.mkdir(os.path.join(work, folder))
        if save:
            with open(os.path.join(work, 'tavo2.dat'), 'wb') as f:
                f.write(subprocess.run([SAVEGEN] + save.split(), check=True, capture_output=True).stdout)
        subprocess.run([RUNNER], input=(script + '\nshot shot.png\n').encode(), cwd=work, check=True,
                       capture_output=True)
        with open(os.path.join(work, 'shot.png'), 'rb') as f:
            return png_rgb(f.read())[2]


def canvas():
    data = driver.execute_script('''
        if (!window.Module || !Module.tavo) return '';  // a page still loading
        const d = Module.tavo.ctx.getImageData(0, 0, 600, 443).data;
        let s = '';
        for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
        return btoa(s);''')
    return base64.b64decode(data)


def agreement(a, b):
    if len(a) != len(b):
        return 0
    same = sum(1 for i in range(0, len(a), 3) if a[i:i + 3] == b[i:i + 3])
    return same / (len(a) // 3)


def changed(expected, before):
    """The pixels where expected differs from before."""
    return [i for i in range(0, len(expected), 3) if expected[i:i + 3] != before[i:i + 3]]


def shows(expected, least=0.97, rather_than=None):
    """A condition: the canvas shows what the runner drew (but the glyphs); with rather_than, also
    nearly every pixel the move changed there."""
    moved = changed(expected, rather_than) if rather_than else []
    def condition():
        got = canvas()
        if agreement(got, expected) >= least and \
                sum(1 for i in moved if got[i:i + 3] == expected[i:i + 3]) >= 0.9 * len(moved):
            return True
        # Kept for a look when the wait runs out.
        for name, pixels in (('page', got), ('runner', expected)):
            with open(os.path.join(work, name + '.ppm'), 'wb') as f:
                f.write(b'P6 600 443 255\n' + pixels)
        condition.last = agreement(got, expected)
        return False
    return condition


def frames():
    return driver.execute_script('return window.Module && Module.tavo ? Module.tavo.frames : 0')


def record(key='tavo2.dat'):
    """What the page holds in IndexedDB under key, as bytes, or None."""
    got = driver.execute_async_script('''
        const done = arguments[arguments.length - 1];
        const open = indexedDB.open('pomuru', 1);
        open.onupgradeneeded = () => open.result.createObjectStore('saves');
        open.onsuccess = () => {
          const get = open.result.transaction('saves').objectStore('saves').get(arguments[0]);
          get.onsuccess = () => done(get.result === undefined ? null
              : btoa(String.fromCharCode(...new Uint8Array(get.result))));
        };''', key)
    return None if got is None else base64.b64decode(got)


def store(data):
    driver.execute_async_script('''
        const done = arguments[arguments.length - 1];
        const open = indexedDB.open('pomuru', 1);
        open.onsuccess = () => {
          const tx = open.result.transaction('saves', 'readwrite');
          tx.objectStore('saves').put(new Uint8Array(arguments[0]).buffer, 'tavo2.dat');
          tx.oncomplete = () => done(true);
        };''', list(data))


def keys(*sequence):
    ActionChains(driver).send_keys(*sequence).perform()


def screen_point(x, y):
    """Where game pixel (x, y) is in the page."""
    left, top = driver.execute_script(
        'const r = document.getElementById("screen").getBoundingClientRect(); return [r.left, r.top];')
    return left + 2 * x + 1, top + 2 * y + 1


def click(x, y):
    # From the canvas's centre, in page pixels.
    ActionChains(driver).move_to_element_with_offset(driver.find_element(By.ID, 'screen'), 2 * x + 1 - W,
                                                     2 * y + 1 - H).click().perform()


def touch(kind, x=0, y=0):
    px, py = screen_point(x, y)
    driver.execute_cdp_cmd('Input.dispatchTouchEvent',
                           {'type': kind, 'touchPoints': [] if kind == 'touchEnd' else [{'x': px, 'y': py}]})


def tap(x, y):
    touch('touchStart', x, y)
    touch('touchEnd')


def asks_before_leaving():
    """Whether the page would have the browser ask before it is left (headless Chromium answers
    that question on its own, so the page's handler is asked)."""
    return driver.execute_script(
        'const e = new Event("beforeunload", {cancelable: true}); dispatchEvent(e); return e.defaultPrevented')


def alert():
    try:
        return driver.switch_to.alert
    except NoAlertPresentException:
        return None


def game_ended():
    return driver.execute_script('return !document.getElementById("ended").hidden')


def finish():
    driver.quit()
    server.kill()
    print(f'{len(failures)} failed' if failures else 'all passed')
    if not failures:
        shutil.rmtree(work, ignore_errors=True)  # a failure keeps its pictures for a look
    return 1 if failures else 0


work = tempfile.mkdtemp()
server = subprocess.Popen(['/usr/bin/python3', '-m', 'http.server', '0', '--bind', '127.0.0.1'], cwd=SITE,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
port = server.stdout.readline().split('port ')[1].split(' ')[0]
url = f'http://127.0.0.1:{port}/'
options = webdriver.ChromeOptions()
options.binary_location = '/usr/bin/chromium'
for argument in ('--headless=new', '--no-sandbox', '--window-size=1920,1080', '--disable-gpu',
                 f'--user-data-dir={work}/profile'):
    options.add_argument(argument)
driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
driver.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': work})

# A first visit: the loading bar ends, the start-up boxes are answered by keyboard, the map is
# shown at 2x, pixel for pixel.
driver.get(url)
wait_for('the loading bar ends and the game draws', lambda: frames() > 0 and not driver.find_element(By.ID, 'loading').is_displayed())
map_shot = runner_shot('answer ok\nanswer ok')
keys(Keys.ENTER, Keys.ENTER)
wait_for('the start-up boxes answered by keyboard leave the map', shows(map_shot))
check('the map is shown at 2x', driver.execute_script('return Module.tavo.scale') == 2)
_, _, page = png_rgb(driver.get_screenshot_as_png())
left, top = [int(v) for v in screen_point(0, 0)]
shown = canvas()
width = driver.execute_script('return innerWidth')
square = all(page[((top - 1 + 2 * y + dy) * width + left - 1 + 2 * x + dx) * 3:][:3] == shown[(y * W + x) * 3:][:3]
             for x in range(0, W, 37) for y in range(0, H, 29) for dx in (0, 1) for dy in (0, 1))
check('each game pixel is a sharp 2 x 2 square of the page', square)

shop_shot = runner_shot('answer ok\nanswer ok\nclick 190 320')
click(190, 320 + MENU)
wait_for('a click on the tackle shop opens it where it belongs', shows(shop_shot))
keys(Keys.ESCAPE)
wait_for('Esc leaves the shop', shows(map_shot))
tap(190, 320 + MENU)
wait_for('a touch tap opens the tackle shop', shows(shop_shot))
keys(Keys.ESCAPE)
wait_for('Esc leaves the shop again', shows(map_shot))
before = frames()
time.sleep(1)
check('an idle page presents no frame for a second', frames() == before)

# A save the browser refuses (storage full): the player is told and the close is refused, as
# on the desktop when the file cannot be written (there: a folder in the temporary file's place).
refused_shot = runner_shot('answer ok\nanswer ok\nmenu 55534\nanswer yes\nanswer yes', folder='tavo2.dat.tmp')
driver.execute_script('''
    window.realPut = IDBObjectStore.prototype.put;
    IDBObjectStore.prototype.put = function() { throw new DOMException('full', 'QuotaExceededError'); };''')
ActionChains(driver).key_down(Keys.ALT).send_keys('f').key_up(Keys.ALT).perform()
keys(Keys.DOWN, Keys.ENTER, 'y', 'y')
wait_for('a save the browser refuses is reported', shows(refused_shot))
keys(Keys.ENTER)
wait_for('the close is refused: the game plays on', shows(map_shot))
check('the refused save stored nothing', record() is None and not game_ended())
driver.execute_script('IDBObjectStore.prototype.put = window.realPut')

# The day ended from the menu by keyboard and saved: the record is in the browser.
ActionChains(driver).key_down(Keys.ALT).send_keys('f').key_up(Keys.ALT).perform()
keys(Keys.DOWN, Keys.ENTER, 'y', 'y')
wait_for('the day ended and saved, the game says it has ended', game_ended)
saved = record()
check('the save is one record in IndexedDB', saved is not None and len(saved) == SAVE_BYTES)

driver.find_element(By.ID, 'export').click()
exported = os.path.join(work, 'tavo2.dat')
wait_for('the exported file arrives', lambda: os.path.exists(exported) and os.path.getsize(exported) == SAVE_BYTES)
with open(exported, 'rb') as f:
    check('the exported tavo2.dat equals the stored record', f.read() == saved)

driver.execute_script('document.getElementById("file").hidden = false')
short = os.path.join(work, 'short.dat')
with open(short, 'wb') as f:
    f.write(bytes(100))
driver.find_element(By.ID, 'file').send_keys(short)
wait_for('a 100-byte file is refused with a message', lambda: 'ではありません' in driver.find_element(By.ID, 'message').text)
check('the refused import leaves the save as it was', record() == saved)

crafted = os.path.join(work, 'crafted.dat')
with open(crafted, 'wb') as f:
    f.write(subprocess.run([SAVEGEN] + CRAFTED.split(), check=True, capture_output=True).stdout)
driver.find_element(By.ID, 'file').send_keys(crafted)
wait_for('a good save asks before it replaces the save', alert)
driver.switch_to.alert.accept()
loaded_shot = runner_shot('', CRAFTED)
wait_for('the imported save is played at once, without a box', shows(loaded_shot))
with open(crafted, 'rb') as f:
    check('the imported save is the stored record', record() == f.read())
driver.refresh()
wait_for('after a reload the game goes on with the money and day it had', shows(loaded_shot))
check('nothing is unsaved after the reload', driver.execute_script('return Module._tavo2_page_unsaved()') == 0)
check('so leaving then asks nothing', not asks_before_leaving())

# Touch in the bait chooser of the house: a press held half a second is a right click, which takes
# the equipped bait off; a tap equips it again. (The house's client area starts at (101, 77) of the
# screen, the chooser's at (211, 133), where the runner places them too.)
chooser = 'click 60 340\nclick 150 190'
click(60, 340 + MENU)
click(101 + 150, 77 + 190)
equipped = runner_shot(chooser, CRAFTED)
taken_off = runner_shot(chooser + '\nrclick 40 120', CRAFTED)
check('taking the bait off changes the picture', len(changed(taken_off, equipped)) > 0)
wait_for('the bait chooser opens', shows(equipped))
touch('touchStart', 211 + 40, 133 + 120)
wait_for('a long press takes the bait off', shows(taken_off, rather_than=equipped))
touch('touchEnd')
tap(211 + 40, 133 + 120)
wait_for('a tap puts it on again', shows(equipped, rather_than=taken_off))
keys(Keys.ESCAPE, Keys.ESCAPE)
wait_for('back on the map', shows(loaded_shot))

# A second tab of the page: the "already running" box, the save untouched.
first = driver.current_window_handle
driver.switch_to.new_window('tab')
driver.get(url)
wait_for('a second tab draws', lambda: frames() > 0)
check('a second tab does not get the lock', driver.execute_script('return Module.tavo.lockHeld') is False)
keys(Keys.ENTER)
wait_for('a second tab ends after its box', game_ended)
with open(crafted, 'rb') as f:
    check('the second tab left the save as it was', record() == f.read())
driver.close()
driver.switch_to.window(first)

# A stored record of the wrong size: kept aside under another key, and a new game starts.
store(bytes(100))
driver.refresh()
wait_for('a damaged record is kept aside as tavo2-damaged-1.dat', lambda: record('tavo2-damaged-1.dat') == bytes(100))
check("nothing is left under the save's own key", record() is None)

# Leaving while a trip is on: the browser's own question (the game's cannot stop a tab closing).
keys(Keys.ENTER)
wait_for('the new game shows the map', shows(map_shot))
click(60, 60 + MENU)
wait_for('a trip begins', lambda: agreement(canvas(), map_shot) < 0.9)
check('leaving during a trip asks first', asks_before_leaving())

# Offline after the first visit: with the server gone the page still comes (from the service
# worker's cache) and draws.
check('the service worker is running', driver.execute_async_script(
    'const done = arguments[0]; navigator.serviceWorker.ready.then((r) => done(!!r.active))'))
server.kill()
server.wait()
driver.switch_to.new_window('tab')
driver.get(url)
wait_for('with the server gone the page still loads and draws', lambda: frames() > 0)

sys.exit(finish())
