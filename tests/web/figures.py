#!/usr/bin/python3
"""figures.py SITE TIMER_DIR SAVEGEN: the README's figures of the page in headless Chromium on
127.0.0.1: each file's size (raw, gzip -9), the first frame of the map after navigation (a saved
game, as on the desktop; median of five), timer lateness of the desktop's timer program built
for the page, and the CPU an idle page uses."""
import gzip
import os
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

SITE, TIMER, SAVEGEN = (os.path.abspath(a) for a in sys.argv[1:4])


def serve(folder):
    server = subprocess.Popen(['/usr/bin/python3', '-m', 'http.server', '0', '--bind', '127.0.0.1'], cwd=folder,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    port = server.stdout.readline().split('port ')[1].split(' ')[0]
    return server, f'http://127.0.0.1:{port}/'


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--window-size=1920,1080', '--disable-gpu',
                     f'--user-data-dir={profile}'):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


def until(driver, script, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = driver.execute_script(script)
        if value:
            return value
        time.sleep(0.05)
    raise SystemExit('timed out: ' + script)


print('| file | bytes | gzip -9 |\n|---|---|---|')
total = [0, 0]
for root, _, files in sorted(os.walk(SITE)):
    for name in sorted(files):
        path = os.path.join(root, name)
        with open(path, 'rb') as f:
            data = f.read()
        packed = len(gzip.compress(data, 9))
        total[0] += len(data)
        total[1] += packed
        print(f'| `{os.path.relpath(path, SITE)}` | {len(data):,} | {packed:,} |')
print(f'| all | {total[0]:,} | {total[1]:,} |\n')

work = tempfile.mkdtemp()
server, url = serve(SITE)
driver = browser(work + '/profile')
save = subprocess.run([SAVEGEN], check=True, capture_output=True).stdout
driver.get(url)
until(driver, 'return window.Module && Module.tavo && Module.tavo.frames > 0')
driver.execute_async_script('''
    const done = arguments[arguments.length - 1];
    const bytes = new Uint8Array(arguments[0]);
    const open = indexedDB.open('pomuru', 1);
    open.onsuccess = () => {
      const tx = open.result.transaction('saves', 'readwrite');
      tx.objectStore('saves').put(bytes.buffer, 'tavo2.dat');
      tx.oncomplete = () => done(true);
    };''', list(save))
firsts = []
for _ in range(5):
    driver.get('about:blank')
    driver.get(url)
    firsts.append(until(driver, 'return window.tavoFirstFrame'))
print(f'first frame of the map after navigation (median of five, files from the cache): '
      f'{statistics.median(firsts):.0f} ms\n')

# Idle: the map shown, nothing moving.
driver.execute_cdp_cmd('Performance.enable', {})
time.sleep(1)
metrics = lambda: {m['name']: m['value'] for m in driver.execute_cdp_cmd('Performance.getMetrics', {})['metrics']}
before, start = metrics(), time.monotonic()
frames = driver.execute_script('return Module.tavo.frames')
time.sleep(10)
after, seconds = metrics(), time.monotonic() - start
busy = after['TaskDuration'] - before['TaskDuration']
print(f'idle page: {100 * busy / seconds:.2f} % of a core over {seconds:.0f} s, '
      f'{driver.execute_script("return Module.tavo.frames") - frames} frames presented\n')
driver.quit()
server.kill()

server, url = serve(TIMER)
driver = browser(work + '/profile-timer')
driver.get(url)
until(driver, 'return document.getElementById("out").textContent.includes("| 20 ms")', 120)
print(driver.execute_script('return document.getElementById("out").textContent'))
driver.quit()
server.kill()
