// The page around the game: the loading bar, the fonts, the buttons (full screen, the save out and
// in, how to play), the question before leaving and the service worker. The game itself is
// tavo2.js and tavo2.wasm (library_tavo2.js is its side in the page).
'use strict';

const $ = (id) => document.getElementById(id);
const SAVE_BYTES = 11236;
let leaving = false;  // set when the page reloads itself: nothing to ask then

function say(text) {
  $('message').textContent = text;
}

// Fetches url, adding to the loading bar as its bytes arrive.
async function fetchWithProgress(url, progress) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(url + ': ' + response.status);
  const total = Number(response.headers.get('Content-Length')) || 0;
  progress.expect(total);
  const reader = response.body.getReader();
  const parts = [];
  let got = 0;
  for (;;) {
    const {done, value} = await reader.read();
    if (done) break;
    parts.push(value);
    got += value.length;
    progress.add(value.length);
  }
  const bytes = new Uint8Array(got);
  let at = 0;
  for (const part of parts) {
    bytes.set(part, at);
    at += part.length;
  }
  return bytes;
}

function loadingBar() {
  let expected = 0, arrived = 0, unknown = false;
  const bar = $('progress');
  return {
    // A host that compresses on the fly may not say how long a file is: the bar then just moves.
    expect(n) {
      expected += n;
      if (n === 0) {
        unknown = true;
        bar.removeAttribute('value');
      }
    },
    add(n) {
      arrived += n;
      if (!unknown && expected > 0) bar.value = Math.min(1, arrived / expected);
    },
  };
}

async function start() {
  const progress = loadingBar();
  const [wasm, gothic, proportional] = await Promise.all([
    fetchWithProgress('tavo2.wasm', progress),
    fetchWithProgress('fonts/ipag-subset.ttf', progress),
    fetchWithProgress('fonts/ipagp-subset.ttf', progress),
  ]);
  // The proportional face holds only the glyphs that differ; the rest come from the gothic face.
  for (const [family, bytes] of [['TavoGothic', gothic], ['TavoPGothic', proportional]]) {
    const face = new FontFace(family, bytes);
    await face.load();
    document.fonts.add(face);
  }
  window.Module = {
    wasmBinary: wasm,
    // A session record would only fill the page's memory: nothing there can keep or send it.
    arguments: ['--no-record'],
    onFirstFrame() {
      $('loading').hidden = true;
      $('screen').classList.add('shown');
      $('screen').focus();  // the keys are the game's from the start
      window.tavoFirstFrame = performance.now();
    },
    onGameEnded() {
      $('screen').classList.remove('shown');
      $('ended').hidden = false;
    },
    printErr(text) { console.error(text); },
  };
  const script = document.createElement('script');
  script.src = 'tavo2.js';
  document.body.appendChild(script);
}

function openDb() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open('pomuru', 1);
    request.onupgradeneeded = () => request.result.createObjectStore('saves');
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function storedRecord() {
  const db = await openDb();
  return new Promise((resolve, reject) => {
    const request = db.transaction('saves').objectStore('saves').get('tavo2.dat');
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function exportSave() {
  try {
    const record = await storedRecord();
    if (record === undefined) {
      say('セーブはまだありません。');
      return;
    }
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([record], {type: 'application/octet-stream'}));
    link.download = 'tavo2.dat';
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    say('tavo2.dat を書き出しました。');
  } catch (e) {
    say('セーブを読めませんでした。');
  }
}

async function importSave(file) {
  const tavo = window.Module && window.Module.tavo;
  if (tavo && !tavo.lockHeld) {
    say('ほかのタブで遊んでいるので、ここでは読み込めません。');
    return;
  }
  const bytes = new Uint8Array(await file.arrayBuffer());
  if (bytes.length !== SAVE_BYTES) {
    say(`${file.name} はポムルのセーブではありません（${SAVE_BYTES} バイトではありません）。今のセーブはそのままです。`);
    return;
  }
  if (!window.confirm(`${file.name} を読み込んで、今のセーブと置き換えますか？\n今のセーブは消えます。`)) {
    say('読み込みをやめました。今のセーブはそのままです。');
    return;
  }
  try {
    const db = await openDb();
    await new Promise((resolve, reject) => {
      const tx = db.transaction('saves', 'readwrite');
      tx.objectStore('saves').put(bytes.buffer, 'tavo2.dat');
      tx.oncomplete = resolve;
      tx.onabort = () => reject(tx.error);
    });
  } catch (e) {
    say('セーブを書き込めませんでした。今のセーブはそのままです。');
    return;
  }
  // The game reads the save when it starts.
  leaving = true;
  location.reload();
}

function setUpButtons() {
  $('fullscreen').addEventListener('click', () => {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
    $('screen').focus();
  });
  $('export').addEventListener('click', exportSave);
  $('import').addEventListener('click', () => $('file').click());
  $('file').addEventListener('change', () => {
    const file = $('file').files[0];
    $('file').value = '';
    if (file) importSave(file);
  });
  // The game's own help, as F1 opens it.
  $('help').addEventListener('click', () => {
    const tavo = window.Module && window.Module.tavo;
    if (tavo && !tavo.ended) tavo.pressKey(12);
    $('screen').focus();
  });
  $('again').addEventListener('click', () => {
    leaving = true;
    location.reload();
  });
  window.addEventListener('beforeunload', (e) => {
    const module = window.Module;
    if (leaving || !module || !module.tavo || module.tavo.ended || !module._tavo2_page_unsaved) return;
    if (module._tavo2_page_unsaved()) {
      e.preventDefault();
      e.returnValue = '';
    }
  });
}

setUpButtons();
if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
start().catch((e) => {
  $('loading').querySelector('p').textContent = '読み込めませんでした: ' + e.message;
});
