#!/usr/bin/env node
// Runs axe-core on each document named on the command line, all in one headless Chromium, and
// prints a line for each violation, as "DOCUMENT: RULE (IMPACT) at TARGET: HELP", or
// "DOCUMENT: no violation". Exits 1 when a document has a violation, 2 when the check could not run.
//   node axe-check.js CHROMIUM DOCUMENT...
// A document is opened as its file name says: a .xhtml file is parsed as XHTML, as a server
// sending application/xhtml+xml would have it.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');
const axe = require('axe-core');
const puppeteer = require('puppeteer-core');

const standardTags = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'];
// The document is a frame around a table that goes into someone's page, not a whole site's page:
// what its landmarks and headings should be is that page's business.
const pageRules = new Set(['region', 'landmark-one-main', 'page-has-heading-one']);

// The standards' rules and the best practices, and of the rules still experimental those about tables.
function chosenRules() {
  return axe
    .getRules()
    .filter((rule) => {
      const tags = new Set(rule.tags);
      if (tags.has('deprecated') || pageRules.has(rule.ruleId)) return false;
      if (tags.has('experimental')) return tags.has('cat.tables');
      return standardTags.some((tag) => tags.has(tag));
    })
    .map((rule) => rule.ruleId);
}

// Launched as a root sandbox allows, with nothing fetched in the background: the machine may have
// no network at all.
const chromiumFlags = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

function describeViolations(file, violations) {
  const lines = [];
  for (const violation of violations)
    for (const node of violation.nodes)
      lines.push(`${file}: ${violation.id} (${node.impact}) at ${node.target.join(' ')}: ${violation.help}`);
  return lines;
}

async function checkDocuments(chromium, files) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tabulor-axe-'));
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: profile,
    args: chromiumFlags,
  });
  let failed = false;
  try {
    const page = await browser.newPage();
    const rules = chosenRules();
    for (const file of files) {
      await page.goto(pathToFileURL(path.resolve(file)).href, { waitUntil: 'load' });
      await page.evaluate(axe.source);
      const results = await page.evaluate(
        (values) => window.axe.run(document, { runOnly: { type: 'rule', values } }),
        rules,
      );
      const lines = describeViolations(file, results.violations);
      failed ||= lines.length > 0;
      console.log(lines.length ? lines.join('\n') : `${file}: no violation`);
    }
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  return failed;
}

const [chromium, ...files] = process.argv.slice(2);
if (!chromium || !files.length) {
  console.error('usage: node axe-check.js CHROMIUM DOCUMENT...');
  process.exit(2);
}
checkDocuments(chromium, files).then(
  (failed) => process.exit(failed ? 1 : 0),
  (error) => {
    console.error(error);
    process.exit(2);
  },
);
