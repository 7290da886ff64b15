// The page's side of the web player: loads the game's pack with a progress bar, hands the player its
// input and timer ticks, shows its frames scaled to the page, and carries out its messages, sounds and
// cursors. The game itself is tarnwick-web.wasm.
'use strict';
(function () {
  const kWidth = 1009, kHeight = 700, kOverlayInterval = 10;
  const gameName = document.body.dataset.game || document.title;
  const storageKey = 'tarnwick-save:' + gameName;
  const canvas = document.getElementById('game');
  const context = canvas.getContext('2d');
  const zonesCanvas = document.getElementById('zones');
  const loading = document.getElementById('loading');
  const progress = document.getElementById('progress');
  const loadingText = document.getElementById('loadingText');
  let image = null;
  let sounds = new Map();   // path -> object URL of its bytes in the pack
  let music = null;
  let unlocked = false;     // the browser plays sound only after the player's first click
  let pendingMusic = false;
  const cursors = new Map(); // slot -> {frames: [css], sequence, jiffies}
  let cursorTimer = null;

  // ---- the pack: the game's files, fetched once ----
  function readPack(buffer) {
    const bytes = new Uint8Array(buffer);
    const view = new DataView(buffer);
    const files = new Map();
    let at = 12;
    const count = view.getUint32(8, true);
    const decoder = new TextDecoder();
    for (let k = 0; k < count && at + 2 <= bytes.length; ++k) {
      const pathSize = view.getUint16(at, true); at += 2;
      const path = decoder.decode(bytes.subarray(at, at + pathSize)); at += pathSize;
      const size = view.getUint32(at, true); at += 4;
      files.set(path, bytes.subarray(at, at + size)); at += size;
    }
    return files;
  }

  async function fetchPack() {
    const response = await fetch('game.pak');
    if (!response.ok) throw new Error('файл игры game.pak не загружен (' + response.status + ')');
    const total = Number(response.headers.get('Content-Length')) || 0;
    const reader = response.body.getReader();
    const parts = [];
    let received = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      parts.push(value);
      received += value.length;
      if (total) progress.value = received / total;
    }
    const pack = new Uint8Array(received);
    let at = 0;
    for (const part of parts) { pack.set(part, at); at += part.length; }
    return pack;
  }

  // ---- messages and questions, drawn in the page; the game waits for the answer ----
  const dialog = document.getElementById('dialog');
  function openDialog(text, buttons, focused) {
    document.getElementById('dialogText').textContent = text;
    return new Promise((resolve) => {
      for (const [id, answer] of Object.entries(buttons)) {
        const button = document.getElementById(id);
        button.hidden = answer === undefined;
        button.onclick = () => { dialog.hidden = true; canvas.focus(); resolve(answer); };
      }
      dialog.hidden = false;
      document.getElementById(focused).focus();
    });
  }
  function showBox(text) { return openDialog(text, { yes: undefined, no: undefined, ok: true }, 'ok'); }
  function askBox(text, yesByDefault) {
    return openDialog(text, { yes: true, no: false, ok: undefined }, yesByDefault ? 'yes' : 'no');
  }
  dialog.addEventListener('keydown', (e) => {
    if (e.key === 'Escape' && !document.getElementById('no').hidden) document.getElementById('no').click();
    e.stopPropagation();
  });

  // ---- the game's entry points ----
  // A call may stop at a message or a question and go on after the answer. One call runs at a time:
  // input and timer ticks that come while one waits are dropped, as the desktop player's message boxes
  // hold them off.
  let busy = false;
  async function call(name, ...args) {
    if (busy) return undefined;
    busy = true;
    try {
      return await Module.ccall(name, 'number', args.map(() => 'number'), args, { async: true });
    } finally {
      busy = false;
    }
  }

  // ---- sound ----
  function soundUrl(path) { return sounds.get(path) || null; }
  function twSound(what, path) {
    if (what === 'open') {
      if (music) music.pause();
      const url = soundUrl(path);
      music = url ? new Audio(url) : null;
    } else if (what === 'play') {
      if (music && unlocked) music.play().catch(() => {});
      else pendingMusic = true;
    } else if (what === 'close') {
      if (music) music.pause();
      music = null;
    } else if (what === 'effect' || what === 'click') {
      const url = soundUrl(path);
      if (url && unlocked) new Audio(url).play().catch(() => {});
    }
  }
  function twMusicTime(length) {
    if (!music) return 0;
    const seconds = length ? music.duration : music.currentTime;
    return isFinite(seconds) ? Math.round(seconds * 1000) : 0;
  }

  // ---- cursors ----
  function cursorCss(rgba, width, height, hotX, hotY) {
    const c = document.createElement('canvas');
    c.width = width; c.height = height;
    c.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), 0, 0);
    return 'url(' + c.toDataURL() + ') ' + hotX + ' ' + hotY + ', default';
  }
  function twCursorFrame(slot, frame, rgba, width, height, hotX, hotY) {
    if (!cursors.has(slot)) cursors.set(slot, { frames: [], sequence: [], jiffies: [] });
    cursors.get(slot).frames[frame] = cursorCss(rgba, width, height, hotX, hotY);
  }
  function twCursorSteps(slot, sequence, jiffies) {
    if (!sequence.length) { cursors.delete(slot); return; }
    const cursor = cursors.get(slot);
    cursor.sequence = sequence;
    cursor.jiffies = jiffies;
  }
  function twShowCursor(shape) {
    if (cursorTimer) { clearTimeout(cursorTimer); cursorTimer = null; }
    if (shape === 0) { canvas.style.cursor = 'none'; return; }
    const cursor = cursors.get(shape);
    if (!cursor || !cursor.sequence.length) { canvas.style.cursor = 'default'; return; }
    let step = 0;
    const show = () => {
      canvas.style.cursor = cursor.frames[cursor.sequence[step]] || 'default';
      if (cursor.sequence.length > 1) {
        const wait = Math.max(1, cursor.jiffies[step]) * 1000 / 60;
        step = (step + 1) % cursor.sequence.length;
        cursorTimer = setTimeout(show, wait);
      }
    };
    show();
  }

  // ---- the frame ----
  // Only the part of the frame that changed is copied and put on the page's canvas.
  function draw() {
    const width = Module._twFrameWidth(), height = Module._twFrameHeight();
    if (!width) return;
    const r = Module._twChangedRect() >> 2;
    let [x, y, w, h] = HEAP32.subarray(r, r + 4);
    if (!image || image.width !== width || image.height !== height) {
      image = context.createImageData(width, height);
      [x, y, w, h] = [0, 0, width, height];
    }
    if (w <= 0 || h <= 0) return;
    const at = Module._twFrame();
    for (let row = y; row < y + h; ++row) {
      const from = at + (row * width + x) * 4;
      image.data.set(HEAPU8.subarray(from, from + w * 4), (row * width + x) * 4);
    }
    context.putImageData(image, 0, 0, x, y, w, h);
  }

  // The canvas keeps its proportions and fills as much of the page as it can.
  function fit() {
    const scale = Math.min(window.innerWidth / kWidth, window.innerHeight / kHeight);
    for (const c of [canvas, zonesCanvas]) {
      c.style.width = Math.floor(kWidth * scale) + 'px';
      c.style.height = Math.floor(kHeight * scale) + 'px';
    }
  }
  function canvasPoint(event) {
    const box = canvas.getBoundingClientRect();
    return [Math.floor((event.clientX - box.left) * kWidth / box.width),
            Math.floor((event.clientY - box.top) * kHeight / box.height)];
  }

  // Space held: the action zones, outlined over the frame.
  let zonesShown = false;
  function drawZones() {
    const c = zonesCanvas.getContext('2d');
    c.clearRect(0, 0, kWidth, kHeight);
    if (!zonesShown) return;
    const count = Module._twZoneCount();
    const at = Module._twZones() >> 2;
    c.strokeStyle = '#ffff00';
    c.lineWidth = 2;
    for (let k = 0; k < count; ++k) {
      const [x, y, w, h] = HEAP32.subarray(at + 4 * k, at + 4 * k + 4);
      c.strokeRect(x + 1, y + 1, w - 2, h - 2);
    }
  }

  function startTimers() {
    let interval = Module._twFrameInterval();
    let frameTimer = setInterval(async function tick() {
      if (busy) return;
      await call('twFrameTick');
      draw();
      if (zonesShown) drawZones();
      const wanted = Module._twFrameInterval();
      if (wanted !== interval) { clearInterval(frameTimer); interval = wanted; frameTimer = setInterval(tick, interval); }
    }, interval);
    // The overlay tick only keeps the music going in the player: it never asks or tells anything, so it
    // is called directly, without the waiting machinery the other calls go through.
    setInterval(() => { if (!busy && Module._twOverlayTick()) draw(); }, kOverlayInterval);
  }

  function unlockSound() {
    if (unlocked) return;
    unlocked = true;
    if (pendingMusic && music) music.play().catch(() => {});
  }

  function listen() {
    canvas.addEventListener('mousemove', (e) => { const [x, y] = canvasPoint(e); call('twMouseMove', x, y); });
    canvas.addEventListener('mousedown', async (e) => {
      if (e.button !== 0 && e.button !== 2) return;
      unlockSound();
      canvas.focus();
      const [x, y] = canvasPoint(e);
      await call('twMouseDown', e.button === 2 ? 1 : 0, x, y);
      draw();
    });
    window.addEventListener('mouseup', () => call('twMouseUp'));
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    window.addEventListener('keydown', async (e) => {
      if (e.key === 'Escape') { e.preventDefault(); await call('twEscape'); draw(); }
      if (e.key === 'F11') { toggleFullScreen(); e.preventDefault(); }
      if (e.key === ' ' && !e.repeat) { zonesShown = true; drawZones(); e.preventDefault(); }
    });
    window.addEventListener('keyup', (e) => {
      if (e.key === ' ') { zonesShown = false; drawZones(); }
    });
    window.addEventListener('blur', () => { zonesShown = false; drawZones(); });
    window.addEventListener('resize', fit);
    // Leaving the page with a game in progress: the browser asks first (a page may not ask in its own
    // words), as the desktop player asks about saving before it closes.
    window.addEventListener('beforeunload', (e) => {
      if (Module._twGameInProgress()) { e.preventDefault(); e.returnValue = ''; }
    });
    document.getElementById('fullScreen').addEventListener('click', toggleFullScreen);
  }
  function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
  }

  function savedGame() {
    const text = localStorage.getItem(storageKey);
    if (!text) return new Uint8Array(0);
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let k = 0; k < binary.length; ++k) bytes[k] = binary.charCodeAt(k);
    return bytes;
  }
  function twGameSaved(bytes) {
    let binary = '';
    for (let k = 0; k < bytes.length; k += 0x8000) binary += String.fromCharCode.apply(null, bytes.subarray(k, k + 0x8000));
    try { localStorage.setItem(storageKey, btoa(binary)); }
    catch (e) { window.setTimeout(() => showBox('Игра не сохранена в браузере: ' + e.message)); }
  }

  function copyIn(bytes) {
    const at = Module._malloc(Math.max(1, bytes.length));
    HEAPU8.set(bytes, at);
    return at;
  }

  // For the page's tests: the middle of a menu zone, and how many items the bag holds.
  window.twTest = {
    menuZone: (k) => { const v = Module._twMenuZoneMiddle(k); return [Math.floor(v / 65536), v % 65536]; },
    zones: () => { const n = Module._twZoneCount(), at = Module._twZones() >> 2; return Array.from(HEAP32.subarray(at, at + 4 * n)); },
    itemsInBag: () => Module._twItemsInBag(),
    musicPlaying: () => Boolean(music && !music.paused && music.src.startsWith('blob:')),
    cursor: () => canvas.style.cursor,
    dialog: () => dialog.hidden ? null : document.getElementById('dialogText').textContent,
    canvasPoint: (x, y) => { const b = canvas.getBoundingClientRect(); return [b.left + (x + 0.5) * b.width / kWidth, b.top + (y + 0.5) * b.height / kHeight]; },
    pixels: () => Array.from(context.getImageData(0, 0, kWidth, kHeight).data),
  };

  async function start() {
    fit();
    let pack;
    try {
      pack = await fetchPack();
    } catch (e) {
      loadingText.textContent = 'Игра не загружена: ' + e.message;
      window.twStarted = false;
      return;
    }
    for (const [path, bytes] of readPack(pack.buffer)) {
      if (path.startsWith('mzh/sound/')) sounds.set(path, URL.createObjectURL(new Blob([bytes])));
    }
    window.twTimes = { loaded: performance.now() };
    const saved = savedGame();
    const packAt = copyIn(pack), savedAt = copyIn(saved);
    loading.hidden = true;
    const ok = await call('twStart', packAt, pack.length, savedAt, saved.length, (Math.random() * 0xFFFFFFFF) >>> 0);
    Module._free(packAt);
    Module._free(savedAt);
    draw();
    window.twTimes.menu = performance.now();
    window.twStarted = Boolean(ok);
    if (!ok) return;
    const caption = UTF8ToString(Module._twCaption());
    if (caption) document.title = caption;
    listen();
    startTimers();
    canvas.focus();
    window.twReady = true;
  }

  window.Module = {
    twShowMessage: (text) => showBox(text),
    twAsk: (text, yesByDefault) => askBox(text, yesByDefault),
    twSound, twMusicTime, twCursorFrame, twCursorSteps, twShowCursor, twGameSaved,
    onRuntimeInitialized: start,
  };
})();
