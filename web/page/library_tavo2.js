// The page's side of the web build's platform (platform/WebPage.h): the canvas, input, the clock,
// the glyphs, the save record in IndexedDB and the one-tab lock. page.js sets the page up.
mergeInto(LibraryManager.library, {
  $TAVO: {
    events: [],
    wake: null,
    posted: [],
    channel: null,
    canvas: null,
    ctx: null,
    image: null,
    glyphCtx: null,
    stage: null,
    width: 0,
    height: 0,
    frames: 0,
    lastFrame: 0,
    stored: null,
    lockHeld: false,
    ended: false,

    // A task of its own at once: a message is never clamped as nested timeouts are (4 ms).
    post: function(fn) {
      if (!TAVO.channel) {
        TAVO.channel = new MessageChannel();
        TAVO.channel.port1.onmessage = function() { TAVO.posted.shift()(); };
      }
      TAVO.posted.push(fn);
      TAVO.channel.port2.postMessage(0);
    },

    // Calls fn when ms have passed: a timeout for the long part, started from a message so it is
    // not clamped, and messages for the last 2 ms, which timeouts would overshoot.
    after: function(ms, fn, token) {
      var due = performance.now() + ms;
      var step = function() {
        if (token.cancelled) return;
        var left = due - performance.now();
        if (left <= 0) fn();
        else if (left > 3) setTimeout(function() { TAVO.post(step); }, left - 2);
        else TAVO.post(step);
      };
      TAVO.post(step);
    },

    push: function(event) {
      TAVO.events.push(event);
      if (TAVO.wake) TAVO.wake();
    },

    stageSize: function() {
      var r = TAVO.stage.getBoundingClientRect();
      return [Math.floor(r.width), Math.floor(r.height)];
    },

    pointAt: function(e) {
      var r = TAVO.stage.getBoundingClientRect();
      return [Math.floor(e.clientX - r.left), Math.floor(e.clientY - r.top)];
    },

    pointer: function(phase, button, at) {
      TAVO.push({kind: 2, phase: phase, x: at[0], y: at[1], button: button});
    },

    // The keys the game reads, as indexes into WebPlatform's key table.
    keys: {Enter: 0, Escape: 1, Tab: 2, ArrowLeft: 3, ArrowRight: 4, ArrowUp: 5, ArrowDown: 6, ' ': 7, F4: 8,
           Alt: 11, F1: 12, F10: 13, PageUp: 14, PageDown: 15, F6: 16, Delete: 17, Backspace: 18, Home: 19,
           End: 20},

    key: function(e, phase) {
      if (e.key === 'F11') {
        e.preventDefault();
        if (phase === 0 && !e.repeat) TAVO.toggleFullScreen();
        return;
      }
      if (e.ctrlKey || e.metaKey) return;  // the browser's own shortcuts stay the browser's
      var key = TAVO.keys[e.key];
      var letter = 0;
      if (key === undefined && /^Key[A-Z]$/.test(e.code)) {
        key = 9;
        letter = e.code.charCodeAt(3) + 32;
      }
      if (key === undefined) return;
      e.preventDefault();
      TAVO.push({kind: 3, phase: phase, key: key, letter: letter, alt: e.altKey ? 1 : 0, shift: e.shiftKey ? 1 : 0});
    },

    pressKey: function(key) {
      TAVO.push({kind: 3, phase: 0, key: key, letter: 0, alt: 0});
      TAVO.push({kind: 3, phase: 1, key: key, letter: 0, alt: 0});
    },

    toggleFullScreen: function() {
      if (document.fullscreenElement) document.exitFullscreen();
      else if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen().catch(function() {});
    },

    // Mouse and pen as on the desktop; touch: a tap is a left click, a press held 500 ms without
    // moving a right click, a drag a left-button drag (a dialog by its caption).
    listen: function() {
      var canvas = TAVO.canvas;
      var touch = null;
      var kSlop = 8;
      canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      canvas.addEventListener('pointerdown', function(e) {
        canvas.focus();
        e.preventDefault();
        var at = TAVO.pointAt(e);
        if (e.pointerType === 'touch') {
          if (touch) return;
          touch = {id: e.pointerId, start: at, dragging: false, long: false};
          touch.timer = setTimeout(function() {
            if (!touch || touch.dragging) return;
            touch.long = true;
            TAVO.pointer(0, 1, touch.start);
            TAVO.pointer(1, 1, touch.start);
          }, 500);
          return;
        }
        if (e.button !== 0 && e.button !== 2) return;
        canvas.setPointerCapture(e.pointerId);
        TAVO.pointer(0, e.button === 0 ? 0 : 1, at);
      });
      canvas.addEventListener('pointermove', function(e) {
        var at = TAVO.pointAt(e);
        if (e.pointerType === 'touch') {
          if (!touch || touch.id !== e.pointerId || touch.long) return;
          if (!touch.dragging && Math.hypot(at[0] - touch.start[0], at[1] - touch.start[1]) < kSlop) return;
          if (!touch.dragging) {
            touch.dragging = true;
            clearTimeout(touch.timer);
            TAVO.pointer(0, 0, touch.start);
          }
          TAVO.pointer(2, 0, at);
          return;
        }
        TAVO.pointer(2, (e.buttons & 1) === 0 && (e.buttons & 2) !== 0 ? 1 : 0, at);
      });
      var up = function(e) {
        var at = TAVO.pointAt(e);
        if (e.pointerType === 'touch') {
          if (!touch || touch.id !== e.pointerId) return;
          clearTimeout(touch.timer);
          if (touch.dragging) TAVO.pointer(1, 0, at);
          else if (!touch.long && e.type === 'pointerup') {
            TAVO.pointer(0, 0, touch.start);
            TAVO.pointer(1, 0, touch.start);
          }
          touch = null;
          return;
        }
        if (e.button !== 0 && e.button !== 2) return;
        TAVO.pointer(1, e.button === 0 ? 0 : 1, at);
      };
      canvas.addEventListener('pointerup', up);
      canvas.addEventListener('pointercancel', up);
      canvas.addEventListener('keydown', function(e) { TAVO.key(e, 0); });
      canvas.addEventListener('keyup', function(e) { TAVO.key(e, 1); });
      new ResizeObserver(function() { TAVO.push({kind: 1}); }).observe(TAVO.stage);
    },

    openDb: function() {
      return new Promise(function(resolve, reject) {
        var request;
        try {
          request = indexedDB.open('pomuru', 1);
        } catch (e) {
          reject(e);
          return;
        }
        request.onupgradeneeded = function() { request.result.createObjectStore('saves'); };
        request.onsuccess = function() { resolve(request.result); };
        request.onerror = function() { reject(request.error); };
        request.onblocked = function() { reject(new Error('blocked')); };
      });
    },

    // Runs use(db) with the page's database; when it cannot be opened or use throws (storage full,
    // blocked, a private window), the game is woken with failed, never left waiting.
    withDb: function(wakeUp, failed, use) {
      var woken = false;
      var wake = function(value) {
        if (woken) return;
        woken = true;
        wakeUp(value);
      };
      TAVO.openDb().then(function(db) {
        try {
          use(db, wake);
        } catch (e) {
          wake(failed);
        }
      }, function() { wake(failed); });
    },

    // The stored record's bytes, or null; undefined when there is none.
    bytesOf: function(value) {
      if (value === undefined) return undefined;
      if (value instanceof ArrayBuffer) return new Uint8Array(value);
      if (ArrayBuffer.isView(value)) return new Uint8Array(value.buffer, value.byteOffset, value.byteLength);
      return null;
    },
  },

  tavo2_page_open__deps: ['$TAVO'],
  tavo2_page_open: function(width, height) {
    TAVO.width = width;
    TAVO.height = height;
    TAVO.stage = document.getElementById('stage');
    TAVO.canvas = document.getElementById('screen');
    TAVO.canvas.width = width;
    TAVO.canvas.height = height;
    TAVO.ctx = TAVO.canvas.getContext('2d', {alpha: false});
    TAVO.image = TAVO.ctx.createImageData(width, height);
    TAVO.listen();
    TAVO.canvas.focus();
    Module.tavo = TAVO;
  },

  tavo2_page_now_us: function() { return performance.now() * 1000; },

  tavo2_page_stage_width__deps: ['$TAVO'],
  tavo2_page_stage_width: function() { return TAVO.stageSize()[0]; },
  tavo2_page_stage_height__deps: ['$TAVO'],
  tavo2_page_stage_height: function() { return TAVO.stageSize()[1]; },

  tavo2_page_place__deps: ['$TAVO'],
  tavo2_page_place: function(left, top, scale) {
    var style = TAVO.canvas.style;
    style.left = left + 'px';
    style.top = top + 'px';
    style.width = TAVO.width * scale + 'px';
    style.height = TAVO.height * scale + 'px';
    TAVO.scale = scale;
  },

  tavo2_page_next_event__deps: ['$TAVO'],
  tavo2_page_next_event: function(into) {
    var e = TAVO.events.shift();
    if (!e) return 0;
    var i = into >> 2;
    HEAP32[i] = e.kind;
    HEAP32[i + 1] = e.phase | 0;
    HEAP32[i + 2] = e.x | 0;
    HEAP32[i + 3] = e.y | 0;
    HEAP32[i + 4] = e.button | 0;
    HEAP32[i + 5] = e.key | 0;
    HEAP32[i + 6] = e.letter | 0;
    HEAP32[i + 7] = e.alt | 0;
    HEAP32[i + 8] = e.shift | 0;
    return 1;
  },

  tavo2_page_wait__deps: ['$TAVO'],
  tavo2_page_wait: function(ms) {
    return Asyncify.handleSleep(function(wakeUp) {
      var token = {cancelled: false};
      var finish = function() {
        if (token.cancelled) return;
        token.cancelled = true;
        TAVO.wake = null;
        wakeUp();
      };
      TAVO.wake = finish;
      if (ms >= 0) TAVO.after(ms, finish, token);
    });
  },

  tavo2_page_present__deps: ['$TAVO'],
  tavo2_page_present: function(pixels, width, height) {
    if (TAVO.image.width !== width || TAVO.image.height !== height) TAVO.image = TAVO.ctx.createImageData(width, height);
    var src = HEAPU32.subarray(pixels >> 2, (pixels >> 2) + width * height);
    var dst = new Uint32Array(TAVO.image.data.buffer);
    for (var i = 0; i < src.length; ++i) {
      var c = src[i];  // 0x00RRGGBB; the canvas wants the bytes R, G, B, A
      dst[i] = 0xFF000000 | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    TAVO.ctx.putImageData(TAVO.image, 0, 0);
    TAVO.frames++;
    TAVO.lastFrame = performance.now();
    if (TAVO.frames === 1 && Module.onFirstFrame) Module.onFirstFrame();
  },

  tavo2_page_toggle_full_screen__deps: ['$TAVO'],
  tavo2_page_toggle_full_screen: function() { TAVO.toggleFullScreen(); },

  tavo2_page_close__deps: ['$TAVO'],
  tavo2_page_close: function() {
    TAVO.ended = true;
    if (Module.onGameEnded) Module.onGameEnded();
  },

  // A pixel is ink when the glyph drawn at three times the size covers its centre (FreeType's
  // monochrome rule), or when the glyph drawn at its size (where the browser's hinting puts thin
  // strokes on whole rows) covers half of it: neither alone keeps every stroke of a 12-pixel kanji.
  tavo2_page_glyph__deps: ['$TAVO'],
  tavo2_page_glyph: function(face, codePoint, pixelSize, baseline, out, capacity) {
    if (!TAVO.glyphCtx) {
      var canvas = document.createElement('canvas');
      TAVO.glyphCtx = canvas.getContext('2d', {willReadFrequently: true});
    }
    var c = TAVO.glyphCtx;
    var n = pixelSize * 4;  // the box drawn: a cell on each side of the glyph's own
    var family = (face === 0 ? 'TavoGothic' : 'TavoPGothic, TavoGothic') + ', sans-serif';
    var text = String.fromCodePoint(codePoint);
    var covered = new Uint8Array(n * n);
    var advance = 0;
    [3, 1].forEach(function(over) {
      var side = n * over;
      if (c.canvas.width < side) {
        c.canvas.width = side;
        c.canvas.height = side;
      }
      c.clearRect(0, 0, c.canvas.width, c.canvas.height);
      c.font = pixelSize * over + 'px ' + family;
      c.textBaseline = 'alphabetic';
      c.fillStyle = '#000';
      if (over === 3) advance = Math.round(c.measureText(text).width / over);
      // The pen one cell in from the left, the cell's top one cell down.
      c.fillText(text, pixelSize * over, (pixelSize + baseline) * over);
      var alpha = c.getImageData(0, 0, side, side).data;
      var centre = over >> 1;
      for (var y = 0; y < n; ++y)
        for (var x = 0; x < n; ++x)
          if (alpha[((y * over + centre) * side + x * over + centre) * 4 + 3] >= 128) covered[y * n + x] = 1;
    });
    var x0 = n, y0 = n, x1 = -1, y1 = -1;
    for (var y = 0; y < n; ++y) {
      for (var x = 0; x < n; ++x) {
        if (covered[y * n + x]) {
          if (x < x0) x0 = x;
          if (x > x1) x1 = x;
          if (y < y0) y0 = y;
          if (y > y1) y1 = y;
        }
      }
    }
    var w = x1 < 0 ? 0 : x1 - x0 + 1, h = x1 < 0 ? 0 : y1 - y0 + 1;
    if (20 + w * h > capacity) return 0;
    var i = out >> 2;
    HEAP32[i] = advance;
    HEAP32[i + 1] = x1 < 0 ? 0 : x0 - pixelSize;
    HEAP32[i + 2] = x1 < 0 ? 0 : y0 - pixelSize;
    HEAP32[i + 3] = w;
    HEAP32[i + 4] = h;
    for (var gy = 0; gy < h; ++gy)
      for (var gx = 0; gx < w; ++gx) HEAPU8[out + 20 + gy * w + gx] = covered[(y0 + gy) * n + x0 + gx];
    return 1;
  },

  tavo2_page_save_read__deps: ['$TAVO'],
  tavo2_page_save_read: function(into, capacity, length) {
    return Asyncify.handleSleep(function(wakeUp) {
      TAVO.withDb(wakeUp, 2, function(db, wakeUp) {  // the guarded wake
        var request = db.transaction('saves').objectStore('saves').get('tavo2.dat');
        request.onsuccess = function() {
          var bytes = TAVO.bytesOf(request.result);
          if (bytes === undefined) return wakeUp(1);
          if (bytes === null) return wakeUp(3);
          HEAP32[length >> 2] = bytes.length;
          HEAPU8.set(bytes.subarray(0, Math.min(capacity, bytes.length)), into);
          TAVO.stored = bytes.slice();
          wakeUp(0);
        };
        request.onerror = function() { wakeUp(2); };
      });
    });
  },

  tavo2_page_save_keep_aside__deps: ['$TAVO'],
  tavo2_page_save_keep_aside: function(name) {
    var key = UTF8ToString(name);
    return Asyncify.handleSleep(function(wakeUp) {
      TAVO.withDb(wakeUp, 2, function(db, wakeUp) {  // the guarded wake
        var tx = db.transaction('saves', 'readwrite');
        var store = tx.objectStore('saves');
        var result = 2;
        var taken = store.getKey(key);
        taken.onsuccess = function() {
          if (taken.result !== undefined) {
            result = 1;
            return;
          }
          var old = store.get('tavo2.dat');
          old.onsuccess = function() {
            store.put(old.result, key);
            store.delete('tavo2.dat');
            result = 0;
          };
        };
        tx.oncomplete = function() { wakeUp(result); };
        tx.onabort = function() { wakeUp(2); };
      });
    });
  },

  tavo2_page_save_write__deps: ['$TAVO'],
  tavo2_page_save_write: function(from, length) {
    var bytes = HEAPU8.slice(from, from + length);
    return Asyncify.handleSleep(function(wakeUp) {
      TAVO.withDb(wakeUp, 1, function(db, wakeUp) {  // the guarded wake
        var tx = db.transaction('saves', 'readwrite');
        tx.objectStore('saves').put(bytes.buffer, 'tavo2.dat');
        tx.oncomplete = function() {
          TAVO.stored = bytes;
          wakeUp(0);
        };
        tx.onabort = function() { wakeUp(1); };
      });
    });
  },

  tavo2_page_lock__deps: ['$TAVO'],
  tavo2_page_lock: function(name) {
    var key = 'pomuru:' + UTF8ToString(name);
    return Asyncify.handleSleep(function(wakeUp) {
      if (!navigator.locks) return wakeUp(2);
      navigator.locks.request(key, {ifAvailable: true}, function(lock) {
        if (!lock) {
          wakeUp(1);
          return undefined;
        }
        TAVO.lockHeld = true;
        wakeUp(0);
        return new Promise(function() {});  // held until the tab ends
      }).catch(function() { wakeUp(2); });
    });
  },
});
