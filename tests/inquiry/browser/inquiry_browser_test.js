// SPDX-License-Identifier: GPL-3.0-or-later
'use strict';
// The seat enquiry pages as a user meets them: opened from file:// in headless Chromium with its
// pop-up blocker on, the airline hosts pointed at a local server that records what arrives.
// Usage: node inquiry_browser_test.js BIN_DIR WORK_DIR
const { test, before, after, afterEach } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');

const [binDir, workDir] = process.argv.slice(2);
const STEP = 5000; // every wait of one user step
const TEST = { timeout: 60000 };

let server;
let port;
let context;
const received = []; // requests not yet claimed by a test
const waiting = [];  // [predicate, resolve]

function record(req, body) {
  const url = new URL(req.url, 'http://127.0.0.1');
  const entry = {
    method: req.method,
    path: url.pathname,
    fields: Object.fromEntries(req.method === 'GET' ? url.searchParams : new URLSearchParams(body)),
  };
  const w = waiting.findIndex(([match]) => match(entry));
  if (w >= 0) waiting.splice(w, 1)[0][1](entry);
  else received.push(entry);
}

function nextRequest(pathname) {
  const match = (e) => e.path === pathname;
  const early = received.findIndex(match);
  if (early >= 0) return Promise.resolve(received.splice(early, 1)[0]);
  return within(new Promise((resolve) => waiting.push([match, resolve])), `request for ${pathname}`);
}

function within(promise, what) {
  let timer;
  const timeout = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`no ${what} within ${STEP} ms`)), STEP);
  });
  return Promise.race([promise, timeout]).finally(() => clearTimeout(timer));
}

// Writes the pages of one search with quorvel-cli and returns the file:// address of inq.htm.
function pages(name, args) {
  const out = path.join(workDir, 'pages', name);
  fs.rmSync(out, { recursive: true, force: true });
  const inq = execFileSync(path.join(binDir, 'quorvel-cli'),
    ['inquiry', '--data', binDir, '--today', '2026/12/09', '--sites', path.join(workDir, 'sites.ini'), ...args, '--out', out],
    { encoding: 'utf8' }).trim();
  return pathToFileURL(inq).href;
}

async function openPage(url) {
  const page = await context.newPage();
  await page.goto(url, { timeout: STEP });
  return page;
}

const value = (page, selector) => page.$eval(selector, (e) => e.value);
const queryButton = 'input[type="button"][value="空席照会"]';

// Clicks and returns the text of the alert the click raises (accepted as a user would).
async function clickForAlert(page, selector) {
  const alert = new Promise((resolve) => page.once('dialog', async (d) => {
    const text = d.message();
    await d.accept();
    resolve(text);
  }));
  await page.click(selector, { timeout: STEP });
  return within(alert, 'alert');
}

async function clickForPopup(page, selector) {
  const [popup] = await Promise.all([page.waitForEvent('popup', { timeout: STEP }), page.click(selector, { timeout: STEP })]);
  return popup;
}

before(async () => {
  server = http.createServer((req, res) => {
    let body = '';
    req.setEncoding('latin1');
    req.on('data', (c) => { body += c; });
    req.on('end', () => {
      record(req, body);
      res.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
      res.end('<html><body>received</body></html>');
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  port = server.address().port;
  const host = `http://127.0.0.1:${port}`;
  fs.mkdirSync(workDir, { recursive: true });
  fs.writeFileSync(path.join(workDir, 'sites.ini'),
    `jal_inquiry_host=${host}\nana_inquiry_host=${host}/\njas_inquiry_host=${host}\n`);
  const profile = fs.mkdtempSync(path.join(workDir, 'profile-'));
  context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    // Playwright switches the pop-up blocker off by default; the pages must work with it on.
    ignoreDefaultArgs: ['--disable-popup-blocking'],
    timeout: 30000,
  });
});

afterEach(async () => {
  for (const p of context.pages()) await p.close();
  received.length = 0;
});

after(async () => {
  if (context) await context.close();
  if (server) server.close();
});

test('the pop-up blocker is on, as a user has it', TEST, async () => {
  // Playwright's own evaluate counts as a click, so a page of its own tries to open a window unasked.
  const file = path.join(workDir, 'unasked.html');
  fs.writeFileSync(file, "<script>document.title = window.open('about:blank') ? 'opened' : 'blocked';</script>");
  const page = await openPage(pathToFileURL(file).href);
  assert.equal(await page.title(), 'blocked');
});

test('one airline: the page shows the search and its relay page posts to ANA', TEST, async () => {
  const page = await openPage(pages('one', ['--from', '稚内', '--to', '札幌', '--date', '2027/01/09']));
  assert.equal(await page.evaluate(() => document.characterSet), 'Shift_JIS');
  assert.equal((await page.textContent('h2')).trim(), '稚内　→　札幌　空席照会');
  assert.equal(await page.title(), 'ケルバ国内線時刻表＆ホテル情報');
  assert.equal(await value(page, 'form[name="INPUT1"] select[name="MONTH"]'), '1');
  assert.equal(await value(page, 'form[name="INPUT1"] select[name="DAY"]'), '9');
  assert.equal(await value(page, 'form[name="INPUT1"] select[name="FROM"]'), 'WKJ');
  assert.equal(await value(page, 'form[name="INPUT1"] select[name="TO"]'), 'CTS');
  assert.equal(await page.$('select[name="TIME"]'), null);

  const sent = nextRequest('/drs/vacant2.cgi');
  const popup = await clickForPopup(page, queryButton);
  const r = await sent;
  assert.equal(r.method, 'POST');
  assert.deepEqual(r.fields, {
    SEGMENT_NO: '0', RESERVE_FLAG: '0', E_MONTH: 'JAN', E_DAY: '9', D_PLACE: 'WKJ', A_PLACE: 'CTS',
  });
  await popup.waitForURL(`http://127.0.0.1:${port}/drs/vacant2.cgi`, { timeout: STEP });
});

test('three airlines: each click opens the next one, with the JAL time band', TEST, async () => {
  const page = await openPage(pages('three', ['--from', '東京／羽田', '--to', '福岡', '--date', '2027/01/15']));
  assert.equal((await page.textContent('h2')).trim(), '東京／羽田　→　福岡　空席照会');
  await page.selectOption('select[name="DAY"]', '20');
  await page.selectOption('select[name="TIME"]', '1');

  let popups = 0;
  page.on('popup', () => { popups += 1; });
  const jal = nextRequest('/cgi-bin/db2www/avarvout.d2w/report');
  await clickForPopup(page, queryButton);
  const r1 = await jal;
  assert.equal(r1.method, 'POST');
  assert.deepEqual(r1.fields, { MONTH: '1', DAY: '20', DPORT: 'HND', APORT: 'FUK', TIME: '1' });
  assert.equal(popups, 1);
  assert.equal(await page.textContent('#kuseki_next'), '続けて[空席照会]ボタンをクリックすると、ANAの空席照会ウィンドゥが開きます。');

  const ana = nextRequest('/drs/vacant2.cgi');
  await clickForPopup(page, queryButton);
  assert.deepEqual((await ana).fields, {
    SEGMENT_NO: '0', RESERVE_FLAG: '0', E_MONTH: 'JAN', E_DAY: '20', D_PLACE: 'HND', A_PLACE: 'FUK',
  });

  const jas = nextRequest('/cgi/rsvn/r02v.asp');
  await clickForPopup(page, queryButton);
  const r3 = await jas;
  assert.equal(r3.method, 'GET');
  assert.deepEqual(r3.fields, {
    gmid: '0', shoriFlg: '0', shoriCls: '1', shoriIn: '1', filt_su: '0',
    flt_m_in: '01', flt_d_in: '20', flt_depAp_in: 'HND', flt_ariAp_in: 'FUK',
  });
  assert.equal(popups, 3);
  assert.equal(await page.textContent('#kuseki_next'), '');
});

test('an airport a ticked airline does not serve is refused and the airline unticked', TEST, async () => {
  const page = await openPage(pages('unserved', ['--from', '東京／羽田', '--to', '福岡', '--date', '2027/01/15']));
  await page.selectOption('select[name="FROM"]', { label: '稚内' }); // ANA only
  assert.equal(await clickForAlert(page, queryButton), 'JALはこの[出発地]を指定できません。');
  assert.equal(await page.isChecked('form[name="INPUT2"] input[name="0"]'), false);
  assert.equal(await page.textContent('#kuseki_next'), '続けて[空席照会]ボタンをクリックすると、ANAの空席照会ウィンドゥが開きます。');

  const ana = nextRequest('/drs/vacant2.cgi');
  await clickForPopup(page, queryButton);
  assert.equal((await ana).fields.D_PLACE, 'WKJ');
  assert.equal(await clickForAlert(page, queryButton), 'JASはこの[出発地]を指定できません。');
  assert.equal(await page.isChecked('form[name="INPUT2"] input[name="2"]'), false);

  await page.click('input[type="button"][value="初期値に戻す"]');
  assert.equal(await value(page, 'select[name="FROM"]'), 'HND');
  await page.selectOption('select[name="TO"]', { label: '但馬' }); // JAS only
  assert.equal(await clickForAlert(page, queryButton), 'JALはこの[到着地]を指定できません。');
});

test('the same airport twice is refused before any window opens', TEST, async () => {
  const page = await openPage(pages('same', ['--from', '東京／羽田', '--to', '沖縄', '--date', '2027/01/15']));
  await page.selectOption('select[name="TO"]', 'HND');
  let popups = 0;
  page.on('popup', () => { popups += 1; });
  assert.equal(await clickForAlert(page, queryButton), '[出発地]と[到着地]は違う空港を選択してください。');
  assert.equal(await page.isChecked('form[name="INPUT2"] input[name="0"]'), true);
  assert.equal(popups, 0);
  assert.equal(context.pages().length, 1);
});

test('the calendar pop-up sets month and day', TEST, async () => {
  const page = await openPage(pages('calendar', ['--from', '東京／羽田', '--to', '沖縄', '--date', '2027/01/15']));
  const calendar = await clickForPopup(page, 'input[type="button"][value="カレンダ表示"]');
  await calendar.waitForLoadState('load', { timeout: STEP });
  assert.equal(await calendar.evaluate(() => document.characterSet), 'Shift_JIS');
  const tables = calendar.locator('table');
  assert.equal(await tables.count(), 3);
  const now = new Date();
  const next = now.getMonth() + 2 > 12 ? 1 : now.getMonth() + 2;
  const nextYear = next === 1 ? now.getFullYear() + 1 : now.getFullYear();
  assert.equal((await tables.nth(1).locator('td').first().textContent()).trim(), `${nextYear}年${next}月`);
  // This month offers today on, never a day gone by.
  if (now.getDate() > 1) assert.equal(await tables.nth(0).locator('input[value="1"]').count(), 0);
  assert.equal(await tables.nth(0).locator(`input[value="${now.getDate()}"]`).count(), 1);

  const closed = calendar.waitForEvent('close', { timeout: STEP });
  await tables.nth(1).locator('input[value="15"]').click({ timeout: STEP });
  await closed;
  await page.waitForFunction(([m]) => document.INPUT1.MONTH.value === m && document.INPUT1.DAY.value === '15',
    [String(next)], { timeout: STEP });
});

// Last: it sets the browser's clock for the whole context.
test('on the 31st the calendar offers the third month up to its last day', TEST, async () => {
  const url = pages('calendar31', ['--from', '東京／羽田', '--to', '沖縄', '--date', '2027/01/15']);
  // 2026/12/31: February 2027 has 28 days; 2027/12/31: February 2028 has 29.
  for (const [today, third, last] of [['2026-12-31T10:00:00', '2027年2月', 28], ['2027-12-31T10:00:00', '2028年2月', 29]]) {
    await context.clock.setFixedTime(new Date(today));
    const page = await openPage(url);
    const calendar = await clickForPopup(page, 'input[type="button"][value="カレンダ表示"]');
    await calendar.waitForLoadState('load', { timeout: STEP });
    const tables = calendar.locator('table');
    assert.equal(await tables.nth(0).locator('input[type="button"]').count(), 1, today); // the 31st itself
    assert.equal((await tables.nth(2).locator('td').first().textContent()).trim(), third);
    assert.equal(await tables.nth(2).locator('input[type="button"]').count(), last, today);
    await calendar.close();
    await page.close();
  }
});
